#pragma once

#include <initializer_list>

struct _XDisplay;

namespace tessarin::e2e {

// X keycodes of a PC keyboard (evdev code + 8): the same keys whatever the layout.
namespace keycode {
inline constexpr int super = 133, alt = 64, ctrl = 37, shift = 50, capsLock = 66, numLock = 77;
inline constexpr int one = 10, two = 11, three = 12, q = 24, f5 = 71;
} // namespace keycode

// X modifier masks: Alt and Super as the default keymaps place them.
namespace modifier {
inline constexpr unsigned alt = 1u << 3, super = 1u << 6;
} // namespace modifier

// Keys pressed as on a real keyboard, through XTest by keycode: `xdotool key` would look the names up
// in the current layout instead.
class Keyboard {
public:
    Keyboard();
    ~Keyboard();
    Keyboard(const Keyboard&) = delete;
    Keyboard& operator=(const Keyboard&) = delete;

    // Presses the keys in order and lets them go in reverse order.
    void tap(std::initializer_list<int> keycodes);
    // Taps Caps Lock and Num Lock until they are as asked.
    void setLocks(bool capsLock, bool numLock);
    // Takes the combination for the whole screen, as another application would; false when refused.
    bool grab(int keycode, unsigned modifiers);

    // The keyboard of the test process, used once already: the first XTest event makes the server switch
    // the core keyboard to the XTest device, which renews every grab; taken before the agent starts, so
    // that no press falls in between.
    static Keyboard& warm();

private:
    unsigned lockedModifiers();

    _XDisplay* display_;
};

} // namespace tessarin::e2e
