#pragma once

#include <QListWidget>

namespace tessarin {

// A list of rows, each a widget of its own, that the user reorders by dragging a row (by its
// background or grip); it then reports the rows' keys in their new order. F2 or Return on the selected
// row asks to edit it.
class ReorderList : public QListWidget {
    Q_OBJECT
public:
    explicit ReorderList(QWidget* parent = nullptr);

    void addRow(const QString& key, QWidget* row);
    QStringList keys() const;
    // Fits the list's height to its rows, so that the page scrolls instead of the list.
    void fitToRows();

signals:
    void reordered(const QStringList& keys);
    void editRequested(const QString& key);

protected:
    void dropEvent(QDropEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};

} // namespace tessarin
