#pragma once

namespace tessarin {

// Turns pointer movement about the hot corners into decisions: start waiting, stop waiting, fire. Resting
// in a corner fires once; the pointer must leave every hot square before it can fire again. A drag into
// the corner never fires.
struct CornerTrigger {
    enum class Outcome { idle, startDwell, cancelDwell };

    bool isInside = false;   // the pointer is in a hot square
    bool isArmed = true;     // a dwell may start
    bool isDwelling = false; // a dwell timer is running
    bool isDragging = false; // the last movement was a drag

    Outcome pointerMoved(bool inside, bool dragging);
    // The dwell timer ran out; true when the corner fires.
    bool dwellCompleted();
    void reset() { *this = CornerTrigger(); }

    bool operator==(const CornerTrigger&) const = default;
};

} // namespace tessarin
