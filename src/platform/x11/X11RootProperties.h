#pragma once

#include <QAbstractNativeEventFilter>
#include <functional>
#include <xcb/xcb.h>

namespace tessarin {

// Reports changes of the root window's properties (the window manager's workspaces) arriving on Qt's
// connection. Qt selects its own events on the root window; this adds property changes to them.
class X11RootProperties : public QAbstractNativeEventFilter {
public:
    X11RootProperties(xcb_connection_t* connection, xcb_window_t root,
                      std::function<void(xcb_atom_t)> changed);
    ~X11RootProperties() override;
    X11RootProperties(const X11RootProperties&) = delete;
    X11RootProperties& operator=(const X11RootProperties&) = delete;

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

private:
    xcb_window_t root_;
    std::function<void(xcb_atom_t)> changed_;
};

} // namespace tessarin
