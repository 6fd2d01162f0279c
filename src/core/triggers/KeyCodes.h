#pragma once

#include <cstdint>
#include <optional>

namespace tessarin {

// Stored shortcuts keep the key codes of the Apple keyboard layout (49 is Space, 53 is Escape, 0 is the
// key labelled A on a US keyboard). These translate them to and from the Linux input layer's key codes
// (evdev; an X keycode is the evdev code + 8). Keys on one side only have no counterpart.
std::optional<uint32_t> evdevKeyCode(uint32_t keyCode);
std::optional<uint32_t> keyCodeOfEvdev(uint32_t evdevCode);

// X keycodes, which are evdev codes moved up by 8.
inline constexpr uint32_t xKeycodeOffset = 8;

} // namespace tessarin
