#pragma once

#include "display/WindowManager.h"

#include <vector>
#include <xcb/xcb.h>

namespace tessarin {

// The window manager's state as EWMH publishes it: the compositing manager's selection
// (_NET_WM_CM_Sn), the active window and its _NET_WM_STATE, each window's _NET_WM_DESKTOP.
class EwmhWindowManager : public WindowManager {
public:
    // `connection` is not owned.
    EwmhWindowManager(xcb_connection_t* connection, xcb_window_t root, int screenNumber);

    bool compositing() const override;
    std::optional<bool> activeWindowFullScreen() const override;
    std::optional<bool> onCurrentWorkspace(WindowId window) const override;
    void setOnAllWorkspaces(WindowId window, bool all) override;

private:
    std::vector<uint32_t> cardinals(xcb_window_t window, xcb_atom_t property, xcb_atom_t type) const;

    xcb_connection_t* connection_;
    xcb_window_t root_;
    xcb_atom_t compositor_;
    xcb_atom_t activeWindow_;
    xcb_atom_t state_;
    xcb_atom_t fullScreen_;
    xcb_atom_t desktop_;
    xcb_atom_t currentDesktop_;
};

} // namespace tessarin
