#pragma once

#include "triggers/SpaceIdentifier.h"

#include <xcb/xcb.h>

namespace tessarin {

// The window manager's workspaces as EWMH publishes them on the root window: _NET_NUMBER_OF_DESKTOPS,
// _NET_CURRENT_DESKTOP and _NET_DESKTOP_NAMES. A workspace's identity is its number and its name
// ("ewmh:2:Mail"), so a binding survives a restart of the window manager but not a renaming. Every
// workspace is an ordinary one. Changes arrive as PropertyNotify on the root window, which the
// connection's owner watches and reports through propertyChanged().
class EwmhDesktops : public SpaceIdentifier {
public:
    // `connection` is not owned.
    EwmhDesktops(xcb_connection_t* connection, xcb_window_t root);

    bool available() const override;
    std::string unavailableReason() const override;
    std::optional<SpaceInfo> activeSpace() const override;
    std::vector<std::string> userSpaceIdentities() const override;

    // A property of the root window changed; reports a change of the current workspace.
    void propertyChanged(xcb_atom_t property);

private:
    std::optional<uint32_t> cardinal(xcb_atom_t property) const;
    std::vector<std::string> names() const;

    xcb_connection_t* connection_;
    xcb_window_t root_;
    xcb_atom_t current_ = XCB_ATOM_NONE;
    xcb_atom_t count_ = XCB_ATOM_NONE;
    xcb_atom_t names_ = XCB_ATOM_NONE;
    xcb_atom_t utf8_ = XCB_ATOM_NONE;
};

} // namespace tessarin
