#include "settings/widgets/ReorderList.h"

#include <QDropEvent>
#include <QKeyEvent>

namespace tessarin {

ReorderList::ReorderList(QWidget* parent) : QListWidget(parent) {
    setDragDropMode(QAbstractItemView::InternalMove);
    setDefaultDropAction(Qt::MoveAction);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setFrameShape(QFrame::NoFrame);
    setSpacing(1);
    viewport()->setAutoFillBackground(false);
}

void ReorderList::addRow(const QString& key, QWidget* row) {
    auto* item = new QListWidgetItem(this);
    item->setData(Qt::UserRole, key);
    item->setSizeHint(row->sizeHint());
    setItemWidget(item, row);
}

QStringList ReorderList::keys() const {
    QStringList result;
    for (int i = 0; i < count(); ++i)
        result.append(item(i)->data(Qt::UserRole).toString());
    return result;
}

void ReorderList::fitToRows() {
    int height = 2 * frameWidth();
    for (int i = 0; i < count(); ++i)
        height += sizeHintForRow(i) + 2 * spacing();
    setFixedHeight(height);
}

void ReorderList::dropEvent(QDropEvent* event) {
    const QStringList before = keys();
    QListWidget::dropEvent(event);
    const QStringList after = keys();
    // Reported once the drop is over: the rows are drawn anew from the document.
    if (after != before)
        QMetaObject::invokeMethod(
            this, [this, after] { emit reordered(after); }, Qt::QueuedConnection);
}

} // namespace tessarin

namespace tessarin {

void ReorderList::keyPressEvent(QKeyEvent* event) {
    const bool edit =
        event->key() == Qt::Key_F2 || event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (edit && currentItem()) {
        emit editRequested(currentItem()->data(Qt::UserRole).toString());
        return;
    }
    QListWidget::keyPressEvent(event);
}

} // namespace tessarin
