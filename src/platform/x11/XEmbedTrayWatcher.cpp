#include "x11/XEmbedTrayWatcher.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <cstdlib>
#include <xcb/xcb.h>

namespace tessarin {

namespace {

uint32_t internAtom(xcb_connection_t* connection, const char* name) {
    const auto cookie =
        xcb_intern_atom(connection, 0, static_cast<uint16_t>(std::char_traits<char>::length(name)), name);
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(connection, cookie, nullptr);
    const uint32_t atom = reply ? reply->atom : 0;
    std::free(reply);
    return atom;
}

} // namespace

XEmbedTrayWatcher::XEmbedTrayWatcher(QObject* parent) : QObject(parent) {}

XEmbedTrayWatcher::~XEmbedTrayWatcher() {
    if (listening_)
        QCoreApplication::instance()->removeNativeEventFilter(this);
}

bool XEmbedTrayWatcher::start() {
    if (listening_)
        return true;
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    xcb_connection_t* connection = x11 ? x11->connection() : nullptr;
    if (!connection)
        return false;
    managerAtom_ = internAtom(connection, "MANAGER");
    trayAtom_ = internAtom(connection, "_NET_SYSTEM_TRAY_S0");
    // MANAGER goes to the root window with StructureNotify: add it to what Qt already selects there.
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    const auto cookie = xcb_get_window_attributes(connection, screen->root);
    if (xcb_get_window_attributes_reply_t* attributes =
            xcb_get_window_attributes_reply(connection, cookie, nullptr)) {
        const uint32_t mask = attributes->your_event_mask | XCB_EVENT_MASK_STRUCTURE_NOTIFY;
        xcb_change_window_attributes(connection, screen->root, XCB_CW_EVENT_MASK, &mask);
        xcb_flush(connection);
        std::free(attributes);
    }
    QCoreApplication::instance()->installNativeEventFilter(this);
    listening_ = true;
    return true;
}

bool XEmbedTrayWatcher::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
    if (eventType != "xcb_generic_event_t")
        return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    if ((event->response_type & 0x7F) != XCB_CLIENT_MESSAGE)
        return false;
    const auto* client = static_cast<const xcb_client_message_event_t*>(message);
    if (client->type == managerAtom_ && client->format == 32 && client->data.data32[1] == trayAtom_)
        emit trayAppeared();
    return false; // Qt's own tray tracking wants it too
}

} // namespace tessarin
