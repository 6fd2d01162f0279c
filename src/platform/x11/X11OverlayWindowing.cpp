#include "x11/X11OverlayWindowing.h"

#include "support/Log.h"

#include <QCoreApplication>
#include <QWindow>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>
#include <xcb/shape.h>
#include <xcb/xcb.h>

namespace tessarin {

namespace {

template <typename T> using Reply = std::unique_ptr<T, decltype(&std::free)>;
template <typename T> Reply<T> reply(T* raw) {
    return Reply<T>(raw, &std::free);
}

constexpr uint32_t allDesktops = 0xFFFFFFFF;

} // namespace

X11OverlayWindowing::X11OverlayWindowing(xcb_connection_t* connection, Log& log)
    : connection_(connection), log_(log) {
    root_ = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data->root;
    const xcb_query_extension_reply_t* shape = xcb_get_extension_data(connection_, &xcb_shape_id);
    if (shape && shape->present)
        shapeNotify_ = shape->first_event + XCB_SHAPE_NOTIFY;
    else
        log_.log(LogCategory::app,
                 "the X server has no SHAPE extension: window frames of overlays catch clicks");
    QCoreApplication::instance()->installNativeEventFilter(this);
}

X11OverlayWindowing::~X11OverlayWindowing() {
    if (QCoreApplication::instance())
        QCoreApplication::instance()->removeNativeEventFilter(this);
}

uint32_t X11OverlayWindowing::atom(const std::string& name) {
    if (const auto it = atoms_.find(name); it != atoms_.end())
        return it->second;
    auto r = reply(xcb_intern_atom_reply(
        connection_, xcb_intern_atom(connection_, 0, static_cast<uint16_t>(name.size()), name.c_str()),
        nullptr));
    const uint32_t value = r ? r->atom : static_cast<uint32_t>(XCB_ATOM_NONE);
    atoms_[name] = value;
    return value;
}

void X11OverlayWindowing::prepare(QWindow& window) {
    const auto id = static_cast<XWindow>(window.winId());
    xcb_change_property(connection_, XCB_PROP_MODE_REPLACE, id, atom("_NET_WM_DESKTOP"), XCB_ATOM_CARDINAL,
                        32, 1, &allDesktops);
    // Qt merges its own states (below, for WindowStaysOnBottomHint) into these when it maps the window.
    const uint32_t states[] = {atom("_NET_WM_STATE_SKIP_TASKBAR"), atom("_NET_WM_STATE_SKIP_PAGER"),
                               atom("_NET_WM_STATE_STICKY")};
    xcb_change_property(connection_, XCB_PROP_MODE_REPLACE, id, atom("_NET_WM_STATE"), XCB_ATOM_ATOM, 32, 3,
                        states);
    xcb_flush(connection_);
}

X11OverlayWindowing::XWindow X11OverlayWindowing::topLevelOf(XWindow window) {
    XWindow current = window;
    for (int depth = 0; depth < 16; ++depth) {
        auto tree = reply(xcb_query_tree_reply(connection_, xcb_query_tree(connection_, current), nullptr));
        if (!tree || tree->parent == XCB_NONE || tree->parent == tree->root)
            return current;
        current = tree->parent;
    }
    return current;
}

void X11OverlayWindowing::clearInputShape(XWindow window) {
    if (!shapeNotify_)
        return;
    xcb_shape_rectangles(connection_, XCB_SHAPE_SO_SET, XCB_SHAPE_SK_INPUT, XCB_CLIP_ORDERING_UNSORTED,
                         window, 0, 0, 0, nullptr);
}

void X11OverlayWindowing::shapeFrameOf(XWindow client) {
    const XWindow frame = topLevelOf(client);
    frames_[client] = frame;
    clearInputShape(client);
    if (frame != client) {
        clearInputShape(frame);
        if (shapeNotify_)
            xcb_shape_select_input(connection_, frame, 1);
    }
    xcb_flush(connection_);
}

void X11OverlayWindowing::passClicksThrough(QWindow& window) {
    const auto id = static_cast<XWindow>(window.winId());
    const bool known = frames_.count(id) > 0;
    shapeFrameOf(id);
    if (!known)
        connect(&window, &QObject::destroyed, this, [this, id] { frames_.erase(id); });
}

bool X11OverlayWindowing::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
    if (eventType != "xcb_generic_event_t" || frames_.empty())
        return false;
    const auto* event = static_cast<xcb_generic_event_t*>(message);
    const uint8_t type = event->response_type & 0x7f;
    if (type == XCB_REPARENT_NOTIFY) {
        const auto* reparent = reinterpret_cast<const xcb_reparent_notify_event_t*>(event);
        if (frames_.count(reparent->window))
            shapeFrameOf(reparent->window);
    } else if (shapeNotify_ && type == shapeNotify_) {
        const auto* shape = reinterpret_cast<const xcb_shape_notify_event_t*>(event);
        if (shape->shape_kind != XCB_SHAPE_SK_INPUT)
            return false;
        // Our own empty shape reports no extent; anything else is the window manager's reset.
        const bool empty = shape->shaped && (shape->extents_width == 0 || shape->extents_height == 0);
        if (empty)
            return false;
        for (const auto& [client, frame] : frames_)
            if (frame == shape->affected_window || client == shape->affected_window) {
                clearInputShape(shape->affected_window);
                xcb_flush(connection_);
                break;
            }
    }
    return false;
}

bool X11OverlayWindowing::compositing() {
    // The compositing manager of screen 0 owns this selection (EWMH).
    auto owner = reply(xcb_get_selection_owner_reply(
        connection_, xcb_get_selection_owner(connection_, atom("_NET_WM_CM_S0")), nullptr));
    return owner && owner->owner != XCB_NONE;
}

QImage X11OverlayWindowing::wallpaper() {
    uint32_t pixmap = XCB_NONE;
    for (const char* name : {"_XROOTPMAP_ID", "ESETROOT_PMAP_ID"}) {
        auto property = reply(xcb_get_property_reply(
            connection_, xcb_get_property(connection_, 0, root_, atom(name), XCB_ATOM_PIXMAP, 0, 1),
            nullptr));
        if (property && property->format == 32 && xcb_get_property_value_length(property.get()) == 4) {
            std::memcpy(&pixmap, xcb_get_property_value(property.get()), 4);
            break;
        }
    }
    if (pixmap == XCB_NONE)
        return {};
    auto geometry =
        reply(xcb_get_geometry_reply(connection_, xcb_get_geometry(connection_, pixmap), nullptr));
    if (!geometry || (geometry->depth != 24 && geometry->depth != 32))
        return {};
    const int width = geometry->width;
    const int height = geometry->height;
    auto image = reply(
        xcb_get_image_reply(connection_,
                            xcb_get_image(connection_, XCB_IMAGE_FORMAT_Z_PIXMAP, pixmap, 0, 0,
                                          static_cast<uint16_t>(width), static_cast<uint16_t>(height), ~0u),
                            nullptr));
    if (!image || xcb_get_image_data_length(image.get()) != width * height * 4)
        return {};
    return QImage(xcb_get_image_data(image.get()), width, height, width * 4, QImage::Format_RGB32).copy();
}

bool X11OverlayWindowing::desktopIconWindowShown() {
    auto clients = reply(xcb_get_property_reply(
        connection_,
        xcb_get_property(connection_, 0, root_, atom("_NET_CLIENT_LIST"), XCB_ATOM_WINDOW, 0, 4096),
        nullptr));
    if (!clients || clients->format != 32)
        return false;
    const auto* ids = static_cast<const uint32_t*>(xcb_get_property_value(clients.get()));
    const int count = xcb_get_property_value_length(clients.get()) / 4;
    std::vector<xcb_get_property_cookie_t> cookies;
    for (int i = 0; i < count; ++i)
        cookies.push_back(
            xcb_get_property(connection_, 0, ids[i], atom("_NET_WM_WINDOW_TYPE"), XCB_ATOM_ATOM, 0, 16));
    const uint32_t desktop = atom("_NET_WM_WINDOW_TYPE_DESKTOP");
    bool found = false;
    for (const auto& cookie : cookies) {
        auto types = reply(xcb_get_property_reply(connection_, cookie, nullptr));
        if (!types || types->format != 32)
            continue;
        const auto* values = static_cast<const uint32_t*>(xcb_get_property_value(types.get()));
        for (int i = 0; i < xcb_get_property_value_length(types.get()) / 4; ++i)
            found = found || values[i] == desktop;
    }
    return found;
}

void X11OverlayWindowing::sync() {
    free(xcb_get_input_focus_reply(connection_, xcb_get_input_focus(connection_), nullptr));
}

} // namespace tessarin
