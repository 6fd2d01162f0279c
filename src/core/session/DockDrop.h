#pragma once

#include "store/StateStore.h"
#include "support/Log.h"
#include "swap/DesktopSurface.h"

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace tessarin {

// Files dropped on a desktop's tile of the floating dock: Desktop items move straight into that
// desktop's folder, one rename each, without a journal and without icon positions.
class DockDrop {
public:
    // `isBusy`: a switch runs or a journal is pending. `afterDrop`: rebuild the menu, reload the
    // settings and the dock; may be empty.
    DockDrop(StateStore& store, DesktopSurface& surface, Log& log, std::filesystem::path desktop,
             std::function<bool()> isBusy, std::function<void()> afterDrop);

    // Moves each dropped item that sits directly on the Desktop and is not pinned into `target`, unless
    // `target` is the active desktop, not a live desktop or a name that can't be a desktop folder. Items
    // that fail to move are skipped, and so are items whose names can't be recorded (not valid UTF-8),
    // with a log line. Returns the moved names.
    std::vector<std::string> handleDockDrop(const std::vector<std::filesystem::path>& items,
                                            const std::string& target);

private:
    StateStore& store_;
    DesktopSurface& surface_;
    Log& log_;
    std::filesystem::path desktop_;
    std::function<bool()> isBusy_;
    std::function<void()> afterDrop_;
};

} // namespace tessarin
