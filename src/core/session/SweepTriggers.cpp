#include "session/SweepTriggers.h"

namespace tessarin {

SweepTriggers::SweepTriggers(StateStore& store, DesktopSweeps& sweeps, std::function<bool()> isBusy,
                             std::function<void()> afterSweep)
    : store_(store), sweeps_(sweeps), isBusy_(std::move(isBusy)), afterSweep_(std::move(afterSweep)) {}

Config SweepTriggers::readOrDefault() {
    try {
        return store_.loadConfig();
    } catch (...) {
        return makeDefaultConfig();
    }
}

void SweepTriggers::sweepActiveDesktopNow() {
    sweeps_.sweepInOrder(readOrDefault());
    if (afterSweep_)
        afterSweep_();
}

bool SweepTriggers::onDesktopChanged() {
    if (isBusy_ && isBusy_())
        return false;
    const Config config = readOrDefault();
    if (!config.settings.customFiltersEnabled && !config.settings.filterScreenshots)
        return false;
    sweeps_.sweepInOrder(config);
    if (afterSweep_)
        afterSweep_();
    return true;
}

} // namespace tessarin
