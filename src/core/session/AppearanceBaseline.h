#pragma once

#include "model/Config.h"

#include <optional>
#include <string>

namespace tessarin {

// The session's light/dark switch, as the desktop environment offers it.
class AppearanceSwitch {
public:
    virtual ~AppearanceSwitch() = default;
    virtual bool currentIsDark() = 0;
    // Logs its own failure; the switch goes on.
    virtual void setDark(bool dark) = 0;
};

// Gives the session the light or dark mode a desktop prefers, and the user's own mode back when a
// desktop without a preference becomes active. The user's mode is remembered once, at the first flip
// away from it.
class AppearanceBaseline {
public:
    explicit AppearanceBaseline(AppearanceSwitch& system) : system_(system) {}

    void apply(const Config& document, const std::string& name);
    // The mode in force before the first per-desktop flip; none while no desktop's own mode is in force.
    std::optional<AppearanceMode> baseline() const { return baseline_; }

private:
    AppearanceSwitch& system_;
    std::optional<AppearanceMode> baseline_;
};

} // namespace tessarin
