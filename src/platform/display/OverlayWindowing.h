#pragma once

#include <QImage>
#include <memory>

class QWindow;

namespace tessarin {

class Log;

// What the agent's overlay windows (the wallpaper cue, the switch transition) need from the window
// system beyond Qt's window flags: to be on every workspace and out of taskbars and pagers, to let
// every click through to what lies beneath, and to know whether translucency is composited.
class OverlayWindowing {
public:
    virtual ~OverlayWindowing() = default;

    // Before the window is first shown.
    virtual void prepare(QWindow& window) = 0;
    // Once it is shown: clicks pass through the window and any frame the window manager puts round
    // it, for as long as the window lives.
    virtual void passClicksThrough(QWindow& window) = 0;
    // A compositing manager blends translucent windows and honours window opacity.
    virtual bool compositing() = 0;
    // The wallpaper picture the desktop published on the root window, over the whole virtual
    // screen; null when none was published.
    virtual QImage wallpaper() = 0;
    // A desktop-icon window is shown (it paints the wallpaper and the icons as one window).
    virtual bool desktopIconWindowShown() = 0;
    // Waits until the window system has handled every request sent so far.
    virtual void sync() = 0;
};

// The X11 implementation when the agent runs on X11, otherwise one that does nothing.
std::unique_ptr<OverlayWindowing> makeOverlayWindowing(Log& log);

} // namespace tessarin
