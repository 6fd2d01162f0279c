#pragma once

#include "display/OverlayWindowing.h"

#include <QAbstractNativeEventFilter>
#include <QObject>
#include <cstdint>
#include <string>
#include <unordered_map>

struct xcb_connection_t;

namespace tessarin {

// Overlay windows on X11. Qt's WindowTransparentForInput shapes only the client window, but the
// window manager's frame round it still catches clicks; so the frame gets an empty input shape too,
// applied again whenever the window manager resets it (openbox does on every move, resize and
// reconfigure) or gives the window a new frame. Stickiness and the taskbar and pager hints are EWMH
// properties set before the window is mapped.
class X11OverlayWindowing : public QObject, public OverlayWindowing, public QAbstractNativeEventFilter {
    Q_OBJECT
public:
    X11OverlayWindowing(xcb_connection_t* connection, Log& log);
    ~X11OverlayWindowing() override;

    void prepare(QWindow& window) override;
    void passClicksThrough(QWindow& window) override;
    bool compositing() override;
    QImage wallpaper() override;
    bool desktopIconWindowShown() override;
    void sync() override;

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

private:
    using XWindow = uint32_t;
    uint32_t atom(const std::string& name);
    // The child of the root window that holds `window`: its frame, or the window itself when unmanaged.
    XWindow topLevelOf(XWindow window);
    void clearInputShape(XWindow window);
    void shapeFrameOf(XWindow client);

    xcb_connection_t* connection_;
    Log& log_;
    XWindow root_ = 0;
    uint8_t shapeNotify_ = 0; // the shape extension's event code; 0 without the extension
    std::unordered_map<std::string, uint32_t> atoms_;
    std::unordered_map<XWindow, XWindow> frames_; // overlay client -> its frame (or itself)
};

} // namespace tessarin
