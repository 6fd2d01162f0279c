#pragma once

#include "freedesktop/ColorSchemeSetting.h"
#include "session/AppearanceBaseline.h"
#include "support/Log.h"

#include <QDBusConnection>
#include <array>
#include <memory>
#include <optional>
#include <string>

namespace tessarin {

// The session's light or dark mode. Read from the Settings portal (org.freedesktop.appearance
// color-scheme) when one answers, else from the desktop environment's own setting; written through
// the desktop environment's setting (GNOME, KDE Plasma, Xfce), elsewhere a logged failure.
//
// A flip never loses the user's own scheme: the value it replaces is kept and written back when the
// session returns to that mode, so "prefer-light" or a custom theme comes back as it was.
class SystemAppearance : public AppearanceSwitch {
public:
    // `desktop` is XDG_CURRENT_DESKTOP (a colon-separated list); `bus` the session bus.
    SystemAppearance(QDBusConnection bus, Log& log, const std::string& desktop);
    // With the setting to use, or none to have every flip fail (tests, unknown desktops).
    SystemAppearance(QDBusConnection bus, Log& log, std::unique_ptr<ColorSchemeSetting> setting,
                     std::string desktop);
    ~SystemAppearance() override;

    bool currentIsDark() override;
    void setDark(bool dark) override;

    // The portal's colour scheme: 1 dark, 2 light, 0 no preference; none when no portal answers.
    std::optional<unsigned> portalColorScheme();

private:
    QDBusConnection bus_;
    Log& log_;
    std::unique_ptr<ColorSchemeSetting> setting_;
    std::string desktop_;
    std::array<std::optional<std::string>, 2> own_; // the user's own value for light [0] and dark [1]
    std::optional<std::string> written_;
};

} // namespace tessarin
