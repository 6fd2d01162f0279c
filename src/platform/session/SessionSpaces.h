#pragma once

#include "triggers/SpaceIdentifier.h"

#include <QDBusConnection>
#include <memory>
#include <xcb/xcb.h>

namespace tessarin {

// The session is a Wayland one (X clients there see only their own windows' keys and no workspaces).
bool isWaylandSession();

// The workspace backend this session offers: KWin's virtual desktops where KWin answers on `bus`, else
// the window manager's EWMH workspaces on the X display behind `connection` (may be null), else none,
// with the reason.
std::unique_ptr<SpaceIdentifier> chooseSpaceIdentifier(QDBusConnection bus, xcb_connection_t* connection,
                                                       xcb_window_t root);

} // namespace tessarin
