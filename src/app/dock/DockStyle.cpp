#include "dock/DockStyle.h"

#include "model/DesktopPalette.h"

#include <QGuiApplication>
#include <QPalette>

namespace tessarin {

namespace {

QColor withAlpha(QColor color, double alpha) {
    color.setAlphaF(static_cast<float>(alpha));
    return color;
}

} // namespace

DockColors dockColors(AppearanceMode appearance, FloatingDockMaterial material, bool translucent,
                      const std::string& accentHex) {
    QColor window;
    QColor text;
    switch (appearance) {
    case AppearanceMode::system: {
        const QPalette palette = QGuiApplication::palette();
        window = palette.color(QPalette::Window);
        text = palette.color(QPalette::WindowText);
        break;
    }
    case AppearanceMode::light:
        window = QColor(0xEC, 0xEC, 0xEE);
        text = QColor(0x1D, 0x1D, 0x1F);
        break;
    case AppearanceMode::dark:
        window = QColor(0x2A, 0x2A, 0x2D);
        text = QColor(0xF2, 0xF2, 0xF4);
        break;
    }
    DockColors colors;
    double alpha = 1.0;
    if (translucent && material == FloatingDockMaterial::glass)
        alpha = 0.8;
    else if (translucent && material == FloatingDockMaterial::clearGlass)
        alpha = 0.5;
    colors.card = withAlpha(window, alpha);
    colors.text = text;
    colors.secondary = withAlpha(text, 0.55);
    colors.border = withAlpha(text, 0.18 * 0.6);
    const RgbColor accent = colorOrDefaultAccent(accentHex);
    colors.accent = QColor::fromRgbF(static_cast<float>(accent.red), static_cast<float>(accent.green),
                                     static_cast<float>(accent.blue));
    return colors;
}

std::string systemAccentHex() {
    const QColor highlight = QGuiApplication::palette().color(QPalette::Highlight);
    return hexString(highlight.redF(), highlight.greenF(), highlight.blueF());
}

} // namespace tessarin
