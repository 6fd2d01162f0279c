#include "x11/DesktopWindowProbe.h"

#include "x11/XcbConnection.h"

#include <algorithm>
#include <memory>
#include <vector>
#include <xcb/xcb.h>

namespace tessarin {

namespace {

struct FreeDeleter {
    void operator()(void* p) const { std::free(p); }
};
template <typename T> using Reply = std::unique_ptr<T, FreeDeleter>;

uint32_t internAtom(xcb_connection_t* c, const char* name) {
    const auto cookie =
        xcb_intern_atom(c, 0, static_cast<uint16_t>(std::char_traits<char>::length(name)), name);
    const Reply<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(c, cookie, nullptr));
    return reply ? reply->atom : uint32_t{XCB_ATOM_NONE};
}

xcb_get_property_cookie_t askProperty(xcb_connection_t* c, uint32_t window, uint32_t property,
                                      uint32_t type) {
    return xcb_get_property(c, 0, window, property, type, 0, 1024);
}

// The 32-bit values of a property reply.
std::vector<uint32_t> values(xcb_connection_t* c, xcb_get_property_cookie_t cookie) {
    const Reply<xcb_get_property_reply_t> reply(xcb_get_property_reply(c, cookie, nullptr));
    if (!reply || reply->format != 32)
        return {};
    const auto* data = static_cast<const uint32_t*>(xcb_get_property_value(reply.get()));
    return {data, data + xcb_get_property_value_length(reply.get()) / 4};
}

} // namespace

DesktopWindowProbe::DesktopWindowProbe() = default;
DesktopWindowProbe::~DesktopWindowProbe() = default;

bool DesktopWindowProbe::connect() {
    if (connection_ && !xcb_connection_has_error(connection_->get()))
        return true;
    connection_ = XcbConnection::open();
    if (!connection_)
        return false;
    xcb_connection_t* c = connection_->get();
    clientList_ = internAtom(c, "_NET_CLIENT_LIST");
    windowType_ = internAtom(c, "_NET_WM_WINDOW_TYPE");
    typeDesktop_ = internAtom(c, "_NET_WM_WINDOW_TYPE_DESKTOP");
    pidAtom_ = internAtom(c, "_NET_WM_PID");
    return true;
}

std::optional<DesktopWindow> DesktopWindowProbe::find() {
    if (!connect())
        return std::nullopt;
    xcb_connection_t* c = connection_->get();
    const uint32_t root = connection_->root();

    std::vector<uint32_t> candidates = values(c, askProperty(c, root, clientList_, XCB_ATOM_WINDOW));
    const Reply<xcb_query_tree_reply_t> tree(xcb_query_tree_reply(c, xcb_query_tree(c, root), nullptr));
    if (tree) {
        const uint32_t* children = xcb_query_tree_children(tree.get());
        candidates.insert(candidates.end(), children, children + xcb_query_tree_children_length(tree.get()));
    }
    // All questions first, then the answers: one round trip for every window.
    std::vector<xcb_get_property_cookie_t> types;
    types.reserve(candidates.size());
    for (const uint32_t window : candidates)
        types.push_back(askProperty(c, window, windowType_, XCB_ATOM_ATOM));
    std::optional<uint32_t> found;
    for (std::size_t i = 0; i < candidates.size(); ++i) {
        const auto type = values(c, types[i]);
        if (!found && std::find(type.begin(), type.end(), typeDesktop_) != type.end())
            found = candidates[i];
    }
    if (!found)
        return std::nullopt;

    DesktopWindow result;
    result.window = *found;
    const auto classCookie = askProperty(c, *found, XCB_ATOM_WM_CLASS, XCB_ATOM_STRING);
    const auto pidCookie = askProperty(c, *found, pidAtom_, XCB_ATOM_CARDINAL);
    if (const Reply<xcb_get_property_reply_t> reply(xcb_get_property_reply(c, classCookie, nullptr));
        reply && reply->format == 8) {
        const auto* text = static_cast<const char*>(xcb_get_property_value(reply.get()));
        const std::string both(text, static_cast<std::size_t>(xcb_get_property_value_length(reply.get())));
        const std::size_t nul = both.find('\0');
        result.instance = both.substr(0, nul);
        if (nul != std::string::npos)
            result.className = both.substr(nul + 1, both.find('\0', nul + 1) - nul - 1);
    }
    if (const auto pid = values(c, pidCookie); !pid.empty())
        result.pid = static_cast<int>(pid.front());
    return result;
}

} // namespace tessarin
