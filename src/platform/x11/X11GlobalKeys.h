#pragma once

#include "display/GlobalKeyGrabber.h"
#include "x11/XkbKeyboard.h"

#include <QAbstractNativeEventFilter>
#include <QTimer>
#include <vector>
#include <xcb/xcb.h>

namespace tessarin {

// Global shortcuts on X11: passive key grabs on the root window through Qt's own connection, one per
// combination of Caps Lock and Num Lock so that the locks don't matter; the key events arrive through a
// native event filter. A keymap or layout change (several events in a row) renews every grab once the
// keyboard has been quiet for a moment, since the modifier map may have moved.
class X11GlobalKeys : public GlobalKeyGrabber, public QAbstractNativeEventFilter {
public:
    static constexpr int keyboardQuietMs = 150;

    // `connection` and `keyboard` are not owned and outlive this object.
    X11GlobalKeys(xcb_connection_t* connection, xcb_window_t root, XkbKeyboard& keyboard);
    ~X11GlobalKeys() override;
    X11GlobalKeys(const X11GlobalKeys&) = delete;
    X11GlobalKeys& operator=(const X11GlobalKeys&) = delete;

    bool available() const override { return true; }
    std::optional<Handle> grab(const HotKeySpec& spec) override;
    void release(Handle handle) override;
    void setSuspended(bool suspended) override;

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

private:
    struct Grab {
        Handle handle = 0;
        HotKeySpec spec;
        xcb_keycode_t keycode = 0;
        uint16_t modifiers = 0; // X modifier mask, without the locks
        bool taken = false;     // the server holds it for us now
        bool held = false;      // pressed and not yet released
    };

    bool take(Grab& grab);
    void giveBack(Grab& grab);
    // The X modifiers of Alt, Super and Num Lock in the current modifier map.
    void readModifierMasks();
    uint16_t xModifiers(uint32_t modifiers) const;
    std::vector<uint16_t> lockCombinations() const;
    void keyboardMayHaveChanged();
    void renewGrabs();

    xcb_connection_t* connection_;
    xcb_window_t root_;
    XkbKeyboard& keyboard_;
    uint8_t xkbFirstEvent_ = 0;
    uint16_t alt_ = XCB_MOD_MASK_1;
    uint16_t numLock_ = XCB_MOD_MASK_2;
    uint16_t super_ = XCB_MOD_MASK_4;
    std::vector<Grab> grabs_;
    Handle nextHandle_ = 1;
    bool suspended_ = false;
    QTimer quiet_;
};

} // namespace tessarin
