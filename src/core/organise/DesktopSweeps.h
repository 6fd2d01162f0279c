#pragma once

#include "model/Config.h"
#include "organise/ScreenshotFilter.h"
#include "organise/ScreenshotSweeper.h"
#include "store/StateStore.h"
#include "support/Log.h"
#include "swap/DesktopSurface.h"

#include <functional>

namespace tessarin {

// The size of the main screen in points; the default canvas when there is none.
struct SweepCanvas {
    int64_t width = ScreenshotSweeper::defaultCanvasWidth;
    int64_t height = ScreenshotSweeper::defaultCanvasHeight;
};

// The two sweeps of the Desktop: screenshots into the screenshots desktop and each custom rule's
// matches into its desktop. They never throw: failures are logged and the caller carries on.
class DesktopSweeps {
public:
    using CanvasSource = std::function<SweepCanvas()>;

    // `canvas` measures the main screen at each sweep; empty means the default canvas.
    DesktopSweeps(DesktopSurface& surface, StateStore& store, Log& log, const ScreenshotFilter& filter,
                  CanvasSource canvas = {});

    // Screenshots into `screenshotsWorkspace`, when filtering is on, not paused and that desktop exists.
    void sweepScreenshots(const Config& config);
    // Each usable rule in list order; the first rule that matches a file takes it.
    void sweepCustomFilters(const Config& config);
    // Both, screenshots first when they overrule the rules, else the rules first.
    void sweepInOrder(const Config& config);

private:
    ScreenshotSweeper sweeper(ScreenshotSweeper::Predicate predicate) const;

    DesktopSurface& surface_;
    StateStore& store_;
    Log& log_;
    const ScreenshotFilter& filter_;
    CanvasSource canvas_;
};

} // namespace tessarin
