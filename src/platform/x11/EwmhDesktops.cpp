#include "x11/EwmhDesktops.h"

#include "x11/XcbReplies.h"

namespace tessarin {

namespace {

std::string identityOf(size_t index, const std::vector<std::string>& names) {
    return "ewmh:" + std::to_string(index + 1) + ":" + (index < names.size() ? names[index] : std::string());
}

} // namespace

EwmhDesktops::EwmhDesktops(xcb_connection_t* connection, xcb_window_t root)
    : connection_(connection), root_(root) {
    if (!connection_)
        return;
    current_ = internAtom(connection_, "_NET_CURRENT_DESKTOP");
    count_ = internAtom(connection_, "_NET_NUMBER_OF_DESKTOPS");
    names_ = internAtom(connection_, "_NET_DESKTOP_NAMES");
    utf8_ = internAtom(connection_, "UTF8_STRING");
}

std::optional<uint32_t> EwmhDesktops::cardinal(xcb_atom_t property) const {
    if (!connection_ || property == XCB_ATOM_NONE)
        return std::nullopt;
    XcbReply<xcb_get_property_reply_t> reply(
        xcb_get_property_reply(
            connection_, xcb_get_property(connection_, 0, root_, property, XCB_ATOM_CARDINAL, 0, 1), nullptr),
        &std::free);
    if (!reply || reply->format != 32 || xcb_get_property_value_length(reply.get()) < 4)
        return std::nullopt;
    return *static_cast<const uint32_t*>(xcb_get_property_value(reply.get()));
}

std::vector<std::string> EwmhDesktops::names() const {
    std::vector<std::string> result;
    if (!connection_ || names_ == XCB_ATOM_NONE)
        return result;
    XcbReply<xcb_get_property_reply_t> reply(
        xcb_get_property_reply(connection_, xcb_get_property(connection_, 0, root_, names_, utf8_, 0, 4096),
                               nullptr),
        &std::free);
    if (!reply || reply->format != 8)
        return result;
    const char* text = static_cast<const char*>(xcb_get_property_value(reply.get()));
    const int length = xcb_get_property_value_length(reply.get());
    // NUL-terminated names, one after the other.
    for (int start = 0, i = 0; i < length; ++i) {
        if (text[i] == '\0') {
            result.emplace_back(text + start, text + i);
            start = i + 1;
        } else if (i == length - 1) {
            result.emplace_back(text + start, text + length);
        }
    }
    return result;
}

bool EwmhDesktops::available() const {
    const auto count = cardinal(count_);
    return count && *count > 0;
}

std::string EwmhDesktops::unavailableReason() const {
    if (available())
        return {};
    if (!connection_)
        return "There is no X display to read workspaces from.";
    return "The window manager doesn't publish its workspaces.";
}

std::optional<SpaceInfo> EwmhDesktops::activeSpace() const {
    const auto current = cardinal(current_);
    const auto count = cardinal(count_);
    if (!current || !count || *current >= *count)
        return std::nullopt;
    return SpaceInfo{identityOf(*current, names()), true, static_cast<int>(*current) + 1};
}

std::vector<std::string> EwmhDesktops::userSpaceIdentities() const {
    std::vector<std::string> identities;
    const auto count = cardinal(count_);
    if (!count)
        return identities;
    const auto all = names();
    for (uint32_t i = 0; i < *count && i < 1024; ++i)
        identities.push_back(identityOf(i, all));
    return identities;
}

void EwmhDesktops::propertyChanged(xcb_atom_t property) {
    if (property == current_ && activeSpaceChanged)
        activeSpaceChanged();
}

} // namespace tessarin
