#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace tessarin {

class XcbConnection;

// The window that draws the Desktop's icons, as the X server knows it.
struct DesktopWindow {
    uint32_t window = 0;
    std::string instance;  // WM_CLASS, first part
    std::string className; // WM_CLASS, second part
    int pid = 0;           // _NET_WM_PID; 0 when the window does not say
};

// Finds the window of type _NET_WM_WINDOW_TYPE_DESKTOP on the display of $DISPLAY, among the window
// manager's clients and the root window's children (a host without a window manager). Keeps its
// connection between probes and opens a new one when the display went away.
class DesktopWindowProbe {
public:
    DesktopWindowProbe();
    ~DesktopWindowProbe();
    DesktopWindowProbe(const DesktopWindowProbe&) = delete;
    DesktopWindowProbe& operator=(const DesktopWindowProbe&) = delete;

    // None without a display or without such a window.
    std::optional<DesktopWindow> find();

private:
    bool connect();

    std::unique_ptr<XcbConnection> connection_;
    uint32_t clientList_ = 0;
    uint32_t windowType_ = 0;
    uint32_t typeDesktop_ = 0;
    uint32_t pidAtom_ = 0;
};

} // namespace tessarin
