#include "tray/HostScrollSteps.h"

#include <cstdlib>

namespace tessarin {

int HostScrollSteps::feed(int delta) {
    if (std::abs(delta) > largestGtkDelta)
        qtHost_ = true;
    if (!qtHost_)
        return delta; // GTK: one unit a notch, positive downwards already
    // Qt: positive upwards, 120 a notch. A turn the other way starts afresh.
    if ((pending_ > 0 && delta < 0) || (pending_ < 0 && delta > 0))
        pending_ = 0;
    pending_ += delta;
    const int notches = pending_ / qtUnitsPerNotch;
    pending_ -= notches * qtUnitsPerNotch;
    return -notches;
}

void HostScrollSteps::reset() {
    qtHost_ = fixed_;
    pending_ = 0;
}

} // namespace tessarin
