#pragma once

#include "menu/StatusMenuModel.h"

#include <QMenu>
#include <QObject>
#include <memory>

namespace tessarin {

class StatusMenuStyle;

// The status menu drawn by Qt (for trays that show our own menu): one action per entry, the checked
// entries with a check mark, and the shortcuts in a right-aligned column that ends at the widest title
// of the items with a shortcut + 30 + the widest shortcut, past the start of the titles.
class StatusMenuView : public QObject {
    Q_OBJECT
public:
    // The shortcut font is the menu font scaled by this (the small system size against the menu size).
    static constexpr double shortcutFontScale = 11.0 / 14.0;

    explicit StatusMenuView(QObject* parent = nullptr);
    ~StatusMenuView() override;

    // Replaces the items; an open menu shows the new ones at once.
    void show(const StatusMenuModel& model);
    // Opens the menu with its top-left corner at `position` (global, logical pixels).
    void popUp(const QPoint& position);

    QMenu& menu() { return *menu_; }
    const StatusMenuModel& model() const { return model_; }
    // Where the shortcut column ends, in logical pixels from the titles' start; 0 without shortcuts.
    double tabStop() const;
    QFont shortcutFont() const;

signals:
    void chosen(const tessarin::StatusMenuEntry& entry);

private:
    std::unique_ptr<QMenu> menu_;
    StatusMenuStyle* style_; // owned by menu_
    StatusMenuModel model_;
};

} // namespace tessarin
