#pragma once

#include "display/GlobalKeyGrabber.h"
#include "display/PointerMotion.h"
#include "display/WindowManager.h"
#include "triggers/SpaceIdentifier.h"
#include "x11/XkbKeyboard.h"

#include <QDBusConnection>
#include <memory>
#include <string>

namespace tessarin {

class X11RootProperties;

// The agent's services of its own screen, each backend chosen when the agent starts: on X11 key grabs,
// the X keymap, (unless KWin answers) the window manager's EWMH workspaces, raw pointer motion and the
// window manager's state, all through Qt's connection; elsewhere KWin's virtual desktops when KWin answers, a
// keymap of the default layout, and no global shortcuts. Create after the QGuiApplication.
class DisplayServices {
public:
    explicit DisplayServices(QDBusConnection sessionBus);
    ~DisplayServices();
    DisplayServices(const DisplayServices&) = delete;
    DisplayServices& operator=(const DisplayServices&) = delete;

    GlobalKeyGrabber& keys() { return *keys_; }
    XkbKeyboard& keyboard() { return *keyboard_; }
    SpaceIdentifier& spaces() { return *spaces_; }
    // Pointer movement over the whole screen (X11: XInput2 raw motion; elsewhere none).
    PointerMotion& pointerMotion() { return *pointer_; }
    WindowManager& windowManager() { return *windowManager_; }
    // The backends' names for the log: "x11" or "none"; "kwin", "ewmh" or "none".
    std::string keysBackend() const { return keys_->available() ? "x11" : "none"; }
    std::string spacesBackend() const { return spacesBackend_; }

private:
    std::unique_ptr<XkbKeyboard> keyboard_;
    std::unique_ptr<GlobalKeyGrabber> keys_;
    std::unique_ptr<SpaceIdentifier> spaces_;
    std::unique_ptr<X11RootProperties> rootProperties_;
    std::unique_ptr<PointerMotion> pointer_;
    std::unique_ptr<WindowManager> windowManager_;
    std::string spacesBackend_ = "none";
};

} // namespace tessarin
