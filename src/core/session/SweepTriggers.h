#pragma once

#include "organise/DesktopSweeps.h"
#include "store/StateStore.h"

#include <functional>

namespace tessarin {

// The sweeps outside a switch: the user's "Sort now" and a change of the Desktop's contents.
class SweepTriggers {
public:
    // `isBusy`: a switch runs or a journal is pending. `afterSweep`: rebuild the menu and reload the
    // settings; both may be empty.
    SweepTriggers(StateStore& store, DesktopSweeps& sweeps, std::function<bool()> isBusy,
                  std::function<void()> afterSweep);

    // Both sweeps in their order on the current document (a default one when it cannot be read).
    void sweepActiveDesktopNow();
    // As sort now, unless a switch is busy or neither rules nor screenshot filtering are on. Returns
    // whether the sweeps ran.
    bool onDesktopChanged();

private:
    Config readOrDefault();

    StateStore& store_;
    DesktopSweeps& sweeps_;
    std::function<bool()> isBusy_;
    std::function<void()> afterSweep_;
};

} // namespace tessarin
