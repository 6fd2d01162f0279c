#pragma once

#include "store/Paths.h"
#include "store/StateStore.h"
#include "swap/DesktopSurface.h"

#include <filesystem>
#include <string>
#include <vector>

namespace tessarin {

// Files dropped on a desktop's tile in the floating dock: each item that lies directly on the Desktop
// and is not pinned moves into that desktop's folder (one non-replacing rename each, no journal), and
// the document's item lists follow. Nothing happens for the active desktop or an unknown one; an item
// that cannot be moved is skipped. Returns the names moved; the caller refreshes the menu and the dock
// when there are any. The caller checks first that no switch is running or pending.
std::vector<std::string> dropOntoDesktop(const std::vector<std::filesystem::path>& dropped,
                                         const std::string& target, const Paths& paths, StateStore& store,
                                         DesktopSurface& surface);

} // namespace tessarin
