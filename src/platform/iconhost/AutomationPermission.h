#pragma once

#include "iconhost/IconHostFinder.h"

#include <string>

namespace tessarin {

// Whether Tessarin can tell the desktop-icon host where icons go, for the settings window's row.
// Linux asks nobody's consent: the answer is whether a host that places arriving icons is running.
class AutomationPermission {
public:
    enum class Status { granted, denied, undetermined, unknown };

    explicit AutomationPermission(IconHostFinder& finder) : finder_(finder) {}

    // granted while Caja, Nemo or xfdesktop runs; unknown otherwise. Probes the display: cheap enough
    // for the row's refresh every two seconds.
    Status status();
    // The running host as people know it ("Caja", "Nemo", "Xfce desktop", "PCManFM", "PCManFM-Qt",
    // another host's window class); empty when none runs.
    std::string hostName() const;

    // The row's texts. Linux never denies nor asks, so every status but granted reads as unknown.
    static std::string rowTitle();
    static std::string subtitle(Status status, const std::string& hostName);

private:
    IconHostFinder& finder_;
};

} // namespace tessarin
