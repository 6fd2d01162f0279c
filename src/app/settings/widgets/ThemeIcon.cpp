#include "settings/widgets/ThemeIcon.h"

#include <QPainter>
#include <QPixmap>
#include <QStandardPaths>

namespace tessarin {

namespace {

QPixmap tint(QPixmap pixmap, const QColor& color) {
    QPainter painter(&pixmap);
    painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
    painter.fillRect(pixmap.rect(), color);
    return pixmap;
}

// The symbolic icon in the text colour, and in the highlighted text colour where it is selected.
QIcon tinted(const QIcon& icon, const QPalette& palette) {
    QIcon result;
    for (const int side : {16, 24, 32, 48}) {
        const QPixmap pixmap = icon.pixmap(side, side);
        if (pixmap.isNull())
            continue;
        result.addPixmap(tint(pixmap, palette.color(QPalette::WindowText)), QIcon::Normal);
        result.addPixmap(tint(pixmap, palette.color(QPalette::HighlightedText)), QIcon::Selected);
    }
    return result;
}

// Sessions without a desktop environment name no icon theme: look in the system's icon folders, with
// Adwaita as the theme.
void ensureIconTheme() {
    static bool done = false;
    if (done)
        return;
    done = true;
    QStringList paths = QIcon::themeSearchPaths();
    for (const QString& folder : QStandardPaths::locateAll(
             QStandardPaths::GenericDataLocation, QStringLiteral("icons"), QStandardPaths::LocateDirectory))
        if (!paths.contains(folder))
            paths.append(folder);
    QIcon::setThemeSearchPaths(paths);
    if (QIcon::themeName().isEmpty())
        QIcon::setThemeName(QStringLiteral("Adwaita"));
    if (QIcon::fallbackThemeName().isEmpty() || QIcon::fallbackThemeName() == QStringLiteral("hicolor"))
        QIcon::setFallbackThemeName(QStringLiteral("Adwaita"));
}

} // namespace

QIcon themeIcon(const QString& name, const QPalette& palette) {
    ensureIconTheme();
    const QString symbolic = name + QStringLiteral("-symbolic");
    if (QIcon::hasThemeIcon(symbolic))
        return tinted(QIcon::fromTheme(symbolic), palette);
    if (QIcon::hasThemeIcon(name))
        return QIcon::fromTheme(name);
    return {};
}

} // namespace tessarin
