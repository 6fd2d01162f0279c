#include "session/SessionSpaces.h"

#include "kde/KWinVirtualDesktops.h"
#include "none/NoSpaces.h"
#include "x11/EwmhDesktops.h"

#include <cstdlib>
#include <string_view>

namespace tessarin {

bool isWaylandSession() {
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    const char* type = std::getenv("XDG_SESSION_TYPE");
    return (wayland && *wayland) || (type && std::string_view(type) == "wayland");
}

std::unique_ptr<SpaceIdentifier> chooseSpaceIdentifier(QDBusConnection bus, xcb_connection_t* connection,
                                                       xcb_window_t root) {
    if (KWinVirtualDesktops::present(bus))
        return std::make_unique<KWinVirtualDesktops>(bus);
    if (isWaylandSession())
        return std::make_unique<NoSpaces>(
            "This Wayland session doesn't let applications read its workspaces.");
    if (!connection)
        return std::make_unique<NoSpaces>("There is no display to read workspaces from.");
    auto ewmh = std::make_unique<EwmhDesktops>(connection, root);
    if (!ewmh->available())
        return std::make_unique<NoSpaces>(ewmh->unavailableReason());
    return ewmh;
}

} // namespace tessarin
