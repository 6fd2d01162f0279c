#include "menu/StatusMenuView.h"

#include "menu/ShortcutColumn.h"
#include "menu/StatusMenuStyle.h"

#include <QFontMetricsF>

namespace tessarin {

namespace {

// Menu titles treat "&" as a mnemonic marker; desktop names show it as it is.
QString escaped(const std::string& title) {
    return QString::fromStdString(title).replace(QLatin1Char('&'), QLatin1String("&&"));
}

} // namespace

StatusMenuView::StatusMenuView(QObject* parent)
    : QObject(parent), menu_(std::make_unique<QMenu>()), style_(new StatusMenuStyle) {
    style_->setParent(menu_.get());
    menu_->setStyle(style_);
    menu_->setObjectName(QStringLiteral("StatusMenu"));
}

StatusMenuView::~StatusMenuView() = default;

QFont StatusMenuView::shortcutFont() const {
    QFont font = menu_->font();
    if (font.pixelSize() > 0)
        font.setPixelSize(std::max(1, static_cast<int>(std::lround(font.pixelSize() * shortcutFontScale))));
    else
        font.setPointSizeF(font.pointSizeF() * shortcutFontScale);
    return font;
}

double StatusMenuView::tabStop() const {
    return style_->tabStop();
}

void StatusMenuView::show(const StatusMenuModel& model) {
    model_ = model;
    menu_->clear();
    const QFont shortcuts = shortcutFont();
    std::vector<double> titleWidths, shortcutWidths;
    const QFontMetricsF titleMetrics(menu_->font()), shortcutMetrics(shortcuts);
    for (const auto& entry : model.entries) {
        if (entry.separator) {
            menu_->addSeparator();
            continue;
        }
        QString text = escaped(entry.title);
        if (!entry.shortcut.empty()) {
            titleWidths.push_back(titleMetrics.horizontalAdvance(QString::fromStdString(entry.title)));
            shortcutWidths.push_back(
                shortcutMetrics.horizontalAdvance(QString::fromStdString(entry.shortcut)));
            text += QLatin1Char('\t') + QString::fromStdString(entry.shortcut);
        }
        QAction* action = menu_->addAction(text);
        action->setEnabled(entry.enabled);
        action->setCheckable(entry.checked);
        action->setChecked(entry.checked);
        action->setIconVisibleInMenu(false);
        connect(action, &QAction::triggered, this, [this, entry] { emit chosen(entry); });
    }
    style_->setShortcutColumn(shortcutTabStop(titleWidths, shortcutWidths), shortcuts);
    menu_->adjustSize();
}

void StatusMenuView::popUp(const QPoint& position) {
    menu_->popup(position);
}

} // namespace tessarin
