#pragma once

#include <memory>
#include <xcb/xcb.h>

namespace tessarin {

// A connection of this process's own to the X server of $DISPLAY, for programs without a Qt screen
// (tessarinctl). The agent uses Qt's connection instead.
class XcbConnection {
public:
    // None when there is no display to connect to.
    static std::unique_ptr<XcbConnection> open();
    ~XcbConnection();
    XcbConnection(const XcbConnection&) = delete;
    XcbConnection& operator=(const XcbConnection&) = delete;

    xcb_connection_t* get() const { return connection_; }
    xcb_window_t root() const { return root_; }

private:
    XcbConnection(xcb_connection_t* connection, xcb_window_t root) : connection_(connection), root_(root) {}

    xcb_connection_t* connection_;
    xcb_window_t root_;
};

} // namespace tessarin
