#include "settings/widgets/ColorButton.h"

#include "model/DesktopPalette.h"

#include <QColorDialog>
#include <QMenu>
#include <QPainter>

namespace tessarin {

ColorButton::ColorButton(const std::optional<QString>& hex, bool systemChoice, Chosen chosen, QWidget* parent)
    : QToolButton(parent), hex_(hex), chosen_(std::move(chosen)) {
    setPopupMode(QToolButton::InstantPopup);
    setFocusPolicy(Qt::StrongFocus);
    const int side = fontMetrics().height();
    if (hex_) {
        setIcon(swatch(QColor(*hex_), side));
        setText(*hex_);
    } else {
        setText(QStringLiteral("System"));
    }
    setToolButtonStyle(hex_ ? Qt::ToolButtonIconOnly : Qt::ToolButtonTextOnly);
    setIconSize(QSize(side, side));

    auto* menu = new QMenu(this);
    if (systemChoice)
        menu->addAction(QStringLiteral("System"), this, [this] { chosen_(std::nullopt); });
    for (const auto palette : DesktopPalette::colors) {
        const QString value = QString::fromLatin1(palette.data(), static_cast<qsizetype>(palette.size()));
        QAction* action =
            menu->addAction(swatch(QColor(value), side), value, this, [this, value] { chosen_(value); });
        action->setCheckable(true);
        action->setChecked(hex_ && hex_->compare(value, Qt::CaseInsensitive) == 0);
    }
    menu->addSeparator();
    menu->addAction(QStringLiteral("Custom colour…"), this, &ColorButton::chooseCustom);
    setMenu(menu);
}

QIcon ColorButton::swatch(const QColor& color, int side) {
    QPixmap pixmap(side * 2, side * 2);
    pixmap.setDevicePixelRatio(2);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(color.darker(140), 1));
    painter.setBrush(color);
    painter.drawEllipse(QRectF(1, 1, side - 2, side - 2));
    return QIcon(pixmap);
}

void ColorButton::chooseCustom() {
    const QColor start = hex_ ? QColor(*hex_) : QColor(Qt::gray);
    const QColor picked = QColorDialog::getColor(start, window(), QStringLiteral("Custom colour"));
    if (picked.isValid())
        chosen_(picked.name(QColor::HexRgb).toUpper());
}

} // namespace tessarin
