#pragma once

#include "model/IconPositions.h"
#include "store/StateStore.h"
#include "swap/DesktopSurface.h"

#include <cstdint>
#include <functional>
#include <set>
#include <string>
#include <vector>

namespace tessarin {

// Moves the Desktop items a predicate picks into one desktop's folder and records them there, each
// with the next free icon slot of that desktop. Used for screenshots and for the custom rules alike.
class ScreenshotSweeper {
public:
    using Predicate = std::function<bool(const std::string& name)>;

    // The canvas when there is no screen to measure.
    static constexpr int64_t defaultCanvasWidth = 1440;
    static constexpr int64_t defaultCanvasHeight = 900;

    ScreenshotSweeper(DesktopSurface& surface, StateStore& store, Predicate isScreenshot,
                      int64_t canvasWidth = defaultCanvasWidth, int64_t canvasHeight = defaultCanvasHeight);

    // Moves the Desktop items (in listing order) that are not pinned and that the predicate picks into
    // `target`'s folder, then records the moved names in `target`. Nothing happens when the Desktop and
    // the store are on different volumes or `target` is the active desktop. An item that fails to move
    // stays where it is, and so does one whose name is not valid UTF-8 (the document could not record
    // it; see unrecordable()). Returns the moved names; throws the surface's listing and the store's
    // errors.
    std::vector<std::string> sweep(const std::string& target, const std::string& activeWorkspace,
                                   const std::set<std::string>& pinned);
    // The items the last sweep picked but left on the Desktop because their names can't be recorded.
    const std::vector<std::string>& unrecordable() const { return unrecordable_; }

    // The slot of the index-th icon: from the top right corner downwards, then in columns leftwards,
    // 90 points apart, never left of x = 70.
    static IconPosition gridSlot(std::size_t index, int64_t canvasWidth, int64_t canvasHeight);

private:
    DesktopSurface& surface_;
    StateStore& store_;
    Predicate isScreenshot_;
    int64_t canvasWidth_;
    int64_t canvasHeight_;
    std::vector<std::string> unrecordable_;
};

} // namespace tessarin
