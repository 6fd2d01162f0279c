#pragma once

#include <functional>

namespace tessarin {

// The pointer's movement over the whole screen, whichever application it is over, reported as it
// happens: nothing arrives while the pointer rests.
class PointerMotion {
public:
    // Where the pointer is after a movement, in the display's own pixels (the root window's
    // coordinates), and whether a button is held (the movement is a drag).
    struct Sample {
        int x = 0;
        int y = 0;
        bool dragging = false;
    };

    virtual ~PointerMotion() = default;
    // The session reports other applications' pointer movement at all.
    virtual bool available() const = 0;
    // Reports movements through `moved` while on.
    virtual void setActive(bool active) = 0;

    // Main thread.
    std::function<void(const Sample&)> moved;

protected:
    PointerMotion() = default;
    PointerMotion(const PointerMotion&) = default;
    PointerMotion& operator=(const PointerMotion&) = default;
};

} // namespace tessarin
