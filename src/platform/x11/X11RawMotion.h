#pragma once

#include "display/PointerMotion.h"

#include <QAbstractNativeEventFilter>
#include <xcb/xcb.h>

namespace tessarin {

// Pointer movement from XInput2 raw motion events selected on the root window for the master pointers:
// the server sends them only when a pointing device moves (also against a screen edge, and during
// another client's grab), so a resting pointer costs nothing. Each event is followed by one pointer
// query for the position and the buttons held. Events arrive on Qt's connection.
class X11RawMotion : public PointerMotion, public QAbstractNativeEventFilter {
public:
    // `connection` is not owned.
    X11RawMotion(xcb_connection_t* connection, xcb_window_t root);
    ~X11RawMotion() override;
    X11RawMotion(const X11RawMotion&) = delete;
    X11RawMotion& operator=(const X11RawMotion&) = delete;

    bool available() const override { return opcode_ != 0; }
    void setActive(bool active) override;

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

private:
    void select(bool on);

    xcb_connection_t* connection_;
    xcb_window_t root_;
    uint8_t opcode_ = 0; // the extension's major opcode; 0 without XInput 2.1
    bool active_ = false;
};

} // namespace tessarin
