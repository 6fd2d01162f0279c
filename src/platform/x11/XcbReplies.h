#pragma once

#include <cstdlib>
#include <cstring>
#include <memory>
#include <xcb/xcb.h>

namespace tessarin {

// An xcb reply, freed with the C library's free as xcb requires.
template <typename T> using XcbReply = std::unique_ptr<T, decltype(&std::free)>;

template <typename T> XcbReply<T> xcbReply(T* reply) {
    return XcbReply<T>(reply, &std::free);
}

// The atom of `name`, interned on the server; none when the server does not answer.
inline xcb_atom_t internAtom(xcb_connection_t* connection, const char* name) {
    const auto reply = xcbReply(xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 0, static_cast<uint16_t>(std::strlen(name)), name), nullptr));
    return reply ? reply->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
}

} // namespace tessarin
