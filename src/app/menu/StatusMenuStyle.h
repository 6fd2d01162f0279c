#pragma once

#include <QFont>
#include <QProxyStyle>

namespace tessarin {

// Lays out the status menu's rows itself: check column, title, and for items whose text carries a tab
// the shortcut after it, right-aligned so that it ends `tabStop` pixels past the start of the title.
class StatusMenuStyle : public QProxyStyle {
public:
    static constexpr int checkColumn = 24; // logical pixels left of the titles
    static constexpr int rightInset = 14;

    StatusMenuStyle();

    void setShortcutColumn(double tabStop, const QFont& shortcutFont);
    double tabStop() const { return tabStop_; }
    const QFont& shortcutFont() const { return shortcutFont_; }

    QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                           const QWidget* widget) const override;
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override;

private:
    double tabStop_ = 0;
    QFont shortcutFont_;
};

} // namespace tessarin
