#pragma once

#include <QListWidget>

namespace tessarin {

// A list of rows, each a widget of its own, that the user reorders by dragging a row (by its
// background or grip); it then reports the rows' keys in their new order.
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

protected:
    void dropEvent(QDropEvent* event) override;
};

} // namespace tessarin
