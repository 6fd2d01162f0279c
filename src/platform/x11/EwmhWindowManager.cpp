#include "x11/EwmhWindowManager.h"

#include "x11/XcbReplies.h"

#include <algorithm>
#include <string>

namespace tessarin {

namespace {

constexpr uint32_t allDesktops = 0xFFFFFFFF;

} // namespace

EwmhWindowManager::EwmhWindowManager(xcb_connection_t* connection, xcb_window_t root, int screenNumber)
    : connection_(connection), root_(root),
      compositor_(internAtom(connection, ("_NET_WM_CM_S" + std::to_string(screenNumber)).c_str())),
      activeWindow_(internAtom(connection, "_NET_ACTIVE_WINDOW")),
      state_(internAtom(connection, "_NET_WM_STATE")),
      fullScreen_(internAtom(connection, "_NET_WM_STATE_FULLSCREEN")),
      desktop_(internAtom(connection, "_NET_WM_DESKTOP")),
      currentDesktop_(internAtom(connection, "_NET_CURRENT_DESKTOP")) {}

std::vector<uint32_t> EwmhWindowManager::cardinals(xcb_window_t window, xcb_atom_t property,
                                                   xcb_atom_t type) const {
    std::vector<uint32_t> values;
    if (property == XCB_ATOM_NONE)
        return values;
    const auto reply = xcbReply(xcb_get_property_reply(
        connection_, xcb_get_property(connection_, 0, window, property, type, 0, 64), nullptr));
    if (!reply || reply->format != 32)
        return values;
    const auto* data = static_cast<const uint32_t*>(xcb_get_property_value(reply.get()));
    values.assign(data, data + xcb_get_property_value_length(reply.get()) / 4);
    return values;
}

bool EwmhWindowManager::compositing() const {
    if (compositor_ == XCB_ATOM_NONE)
        return false;
    const auto owner = xcbReply(xcb_get_selection_owner_reply(
        connection_, xcb_get_selection_owner(connection_, compositor_), nullptr));
    return owner && owner->owner != XCB_WINDOW_NONE;
}

std::optional<bool> EwmhWindowManager::activeWindowFullScreen() const {
    const auto active = cardinals(root_, activeWindow_, XCB_ATOM_WINDOW);
    if (active.empty())
        return std::nullopt;
    if (active.front() == XCB_WINDOW_NONE)
        return false;
    const auto states = cardinals(active.front(), state_, XCB_ATOM_ATOM);
    return std::find(states.begin(), states.end(), fullScreen_) != states.end();
}

std::optional<bool> EwmhWindowManager::onCurrentWorkspace(WindowId window) const {
    const auto on = cardinals(static_cast<xcb_window_t>(window), desktop_, XCB_ATOM_CARDINAL);
    const auto current = cardinals(root_, currentDesktop_, XCB_ATOM_CARDINAL);
    if (on.empty() || current.empty())
        return std::nullopt;
    return on.front() == allDesktops || on.front() == current.front();
}

void EwmhWindowManager::setOnAllWorkspaces(WindowId window, bool all) {
    uint32_t target = allDesktops;
    if (!all) {
        const auto current = cardinals(root_, currentDesktop_, XCB_ATOM_CARDINAL);
        if (current.empty())
            return;
        target = current.front();
    }
    const auto id = static_cast<xcb_window_t>(window);
    // The property for a window not mapped yet, the message for one the window manager already manages.
    xcb_change_property(connection_, XCB_PROP_MODE_REPLACE, id, desktop_, XCB_ATOM_CARDINAL, 32, 1, &target);
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = id;
    message.type = desktop_;
    message.data.data32[0] = target;
    message.data.data32[1] = 2; // from a pager-like source: the request is the user's
    xcb_send_event(connection_, 0, root_,
                   XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                   reinterpret_cast<const char*>(&message));
    xcb_flush(connection_);
}

} // namespace tessarin
