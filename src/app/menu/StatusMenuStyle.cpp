#include "menu/StatusMenuStyle.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QStyleFactory>
#include <QStyleOptionMenuItem>
#include <cmath>

namespace tessarin {

namespace {

constexpr int textFlags = Qt::AlignVCenter | Qt::TextShowMnemonic | Qt::TextDontClip | Qt::TextSingleLine;

struct SplitText {
    QString title;
    QString shortcut;
};

SplitText split(const QString& text) {
    const auto tab = text.indexOf(QLatin1Char('\t'));
    if (tab < 0)
        return {text, {}};
    return {text.left(tab), text.mid(tab + 1)};
}

} // namespace

StatusMenuStyle::StatusMenuStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}

void StatusMenuStyle::setShortcutColumn(double tabStop, const QFont& shortcutFont) {
    tabStop_ = tabStop;
    shortcutFont_ = shortcutFont;
}

QSize StatusMenuStyle::sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                                        const QWidget* widget) const {
    const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
    if (type != CT_MenuItem || !item || item->menuItemType == QStyleOptionMenuItem::Separator)
        return QProxyStyle::sizeFromContents(type, option, size, widget);
    const QSize base = QProxyStyle::sizeFromContents(type, option, size, widget);
    const SplitText text = split(item->text);
    const double titleWidth = QFontMetricsF(item->font).boundingRect(QRectF(), textFlags, text.title).width();
    const double content = text.shortcut.isEmpty() ? titleWidth : std::max(titleWidth, tabStop_);
    return {checkColumn + static_cast<int>(std::ceil(content)) + rightInset, base.height()};
}

void StatusMenuStyle::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                                  const QWidget* widget) const {
    const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
    if (element != CE_MenuItem || !item || item->menuItemType == QStyleOptionMenuItem::Separator) {
        QProxyStyle::drawControl(element, option, painter, widget);
        return;
    }
    // The base style draws the row's background and highlight; the rest is drawn here.
    QStyleOptionMenuItem background(*item);
    background.text.clear();
    background.checkType = QStyleOptionMenuItem::NotCheckable;
    background.icon = QIcon();
    QProxyStyle::drawControl(element, &background, painter, widget);

    const bool enabled = item->state & State_Enabled;
    const bool selected = (item->state & State_Selected) && enabled;
    const QPalette::ColorGroup group = enabled ? QPalette::Normal : QPalette::Disabled;
    const QColor ink = item->palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text);
    const QRect row = item->rect;
    const SplitText text = split(item->text);

    painter->save();
    painter->setPen(ink);
    painter->setFont(item->font);
    if (item->checked) {
        painter->drawText(QRect(row.left(), row.top(), checkColumn, row.height()), Qt::AlignCenter,
                          QStringLiteral("\u2713"));
    }
    const double titleLeft = row.left() + checkColumn;
    painter->drawText(QRectF(titleLeft, row.top(), row.right() - titleLeft, row.height()), textFlags,
                      text.title);
    if (!text.shortcut.isEmpty()) {
        painter->setFont(shortcutFont_);
        const double right = titleLeft + tabStop_;
        painter->drawText(QRectF(titleLeft, row.top(), right - titleLeft, row.height()),
                          Qt::AlignRight | Qt::AlignVCenter | Qt::TextSingleLine, text.shortcut);
    }
    painter->restore();
}

} // namespace tessarin
