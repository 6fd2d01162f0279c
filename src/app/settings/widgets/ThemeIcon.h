#pragma once

#include <QIcon>
#include <QPalette>
#include <QString>

namespace tessarin {

// A theme icon by its freedesktop name: its symbolic variant drawn in the palette's text colour, else
// the full-colour icon (symbolic icons are dark shapes that would vanish on a dark window). Adwaita is
// the theme where the session names none.
QIcon themeIcon(const QString& name, const QPalette& palette);

} // namespace tessarin
