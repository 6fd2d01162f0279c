#include "x11/X11RootProperties.h"

#include <QCoreApplication>
#include <cstdlib>
#include <memory>

namespace tessarin {

X11RootProperties::X11RootProperties(xcb_connection_t* connection, xcb_window_t root,
                                     std::function<void(xcb_atom_t)> changed)
    : root_(root), changed_(std::move(changed)) {
    // Add to the mask Qt chose; replacing it would cut Qt off from its own root-window events.
    std::unique_ptr<xcb_get_window_attributes_reply_t, decltype(&std::free)> attributes(
        xcb_get_window_attributes_reply(connection, xcb_get_window_attributes(connection, root), nullptr),
        &std::free);
    const uint32_t mask = (attributes ? attributes->your_event_mask : 0) | XCB_EVENT_MASK_PROPERTY_CHANGE;
    xcb_change_window_attributes(connection, root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(connection);
    QCoreApplication::instance()->installNativeEventFilter(this);
}

X11RootProperties::~X11RootProperties() {
    if (QCoreApplication::instance())
        QCoreApplication::instance()->removeNativeEventFilter(this);
}

bool X11RootProperties::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
    if (eventType != "xcb_generic_event_t")
        return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    if ((event->response_type & 0x7F) != XCB_PROPERTY_NOTIFY)
        return false;
    const auto* property = reinterpret_cast<const xcb_property_notify_event_t*>(event);
    if (property->window == root_ && changed_)
        changed_(property->atom);
    return false;
}

} // namespace tessarin
