#include "x11/X11RawMotion.h"

#include "x11/XcbReplies.h"

#include <QCoreApplication>
#include <xcb/xinput.h>

namespace tessarin {

X11RawMotion::X11RawMotion(xcb_connection_t* connection, xcb_window_t root)
    : connection_(connection), root_(root) {
    const xcb_query_extension_reply_t* extension = xcb_get_extension_data(connection_, &xcb_input_id);
    if (!extension || !extension->present)
        return;
    // Raw events reach a root-window selection during other clients' grabs from version 2.1 on. Qt
    // announced its own version on this connection already; the server keeps the one it agreed first.
    const auto version = xcbReply(xcb_input_xi_query_version_reply(
        connection_, xcb_input_xi_query_version(connection_, 2, 2), nullptr));
    if (!version || version->major_version < 2 || (version->major_version == 2 && version->minor_version < 1))
        return;
    opcode_ = extension->major_opcode;
    QCoreApplication::instance()->installNativeEventFilter(this);
}

X11RawMotion::~X11RawMotion() {
    if (active_)
        select(false);
    if (opcode_ && QCoreApplication::instance())
        QCoreApplication::instance()->removeNativeEventFilter(this);
}

void X11RawMotion::select(bool on) {
    // The master pointers only: Qt's own selection on the root window is for all devices and stays.
    struct {
        xcb_input_event_mask_t head;
        uint32_t bits;
    } mask{{XCB_INPUT_DEVICE_ALL_MASTER, 1}, on ? uint32_t(XCB_INPUT_XI_EVENT_MASK_RAW_MOTION) : 0u};
    xcb_input_xi_select_events(connection_, root_, 1, &mask.head);
    xcb_flush(connection_);
}

void X11RawMotion::setActive(bool active) {
    if (!opcode_ || active == active_)
        return;
    active_ = active;
    select(active);
}

bool X11RawMotion::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
    if (!active_ || eventType != "xcb_generic_event_t")
        return false;
    const auto* event = static_cast<const xcb_ge_generic_event_t*>(message);
    if ((event->response_type & 0x7F) != XCB_GE_GENERIC || event->extension != opcode_ ||
        event->event_type != XCB_INPUT_RAW_MOTION)
        return false;
    const auto pointer =
        xcbReply(xcb_query_pointer_reply(connection_, xcb_query_pointer(connection_, root_), nullptr));
    if (!pointer || !moved)
        return true;
    constexpr uint16_t buttons = XCB_BUTTON_MASK_1 | XCB_BUTTON_MASK_2 | XCB_BUTTON_MASK_3;
    moved({pointer->root_x, pointer->root_y, (pointer->mask & buttons) != 0});
    return true;
}

} // namespace tessarin
