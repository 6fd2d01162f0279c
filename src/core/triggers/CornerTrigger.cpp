#include "triggers/CornerTrigger.h"

namespace tessarin {

CornerTrigger::Outcome CornerTrigger::pointerMoved(bool inside, bool dragging) {
    isDragging = dragging;
    const bool wasDwelling = isDwelling;
    if (!inside) {
        isInside = false;
        isArmed = true;
        isDwelling = false;
        return wasDwelling ? Outcome::cancelDwell : Outcome::idle;
    }
    isInside = true;
    if (dragging) {
        isDwelling = false;
        return wasDwelling ? Outcome::cancelDwell : Outcome::idle;
    }
    if (isDwelling || !isArmed)
        return Outcome::idle;
    isDwelling = true;
    return Outcome::startDwell;
}

bool CornerTrigger::dwellCompleted() {
    if (isDwelling && isInside && isArmed && !isDragging) {
        isDwelling = false;
        isArmed = false;
        return true;
    }
    isDwelling = false;
    return false;
}

} // namespace tessarin
