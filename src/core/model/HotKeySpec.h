#pragma once

#include <cstdint>

namespace tessarin {

// A global shortcut: a key code and a modifier mask as the hot-key registration takes them.
struct HotKeySpec {
    uint32_t keyCode = 0;
    uint32_t modifiers = 0;

    bool operator==(const HotKeySpec&) const = default;
};

} // namespace tessarin
