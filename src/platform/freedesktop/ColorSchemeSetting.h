#pragma once

#include <memory>
#include <string>

namespace tessarin {

// One desktop environment's colour-scheme setting, as the text it stores. read and write throw
// std::runtime_error with a description of what failed.
class ColorSchemeSetting {
public:
    virtual ~ColorSchemeSetting() = default;
    virtual std::string read() = 0;
    virtual bool isDark(const std::string& value) const = 0;
    // The value that turns the session light or dark when the user's own is not known.
    virtual std::string valueFor(bool dark, const std::string& current) const = 0;
    virtual void write(const std::string& value) = 0;
};

// GNOME's org.gnome.desktop.interface color-scheme, through GSettings.
std::unique_ptr<ColorSchemeSetting> gnomeColorScheme();
// KDE Plasma's colour scheme: read from kdeglobals, applied with plasma-apply-colorscheme.
std::unique_ptr<ColorSchemeSetting> plasmaColorScheme();
// Xfce's GTK theme (xsettings /Net/ThemeName) through xfconf-query.
std::unique_ptr<ColorSchemeSetting> xfceColorScheme();

} // namespace tessarin
