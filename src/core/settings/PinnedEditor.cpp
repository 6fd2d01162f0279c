#include "settings/PinnedEditor.h"

#include "organise/ScreenshotFilter.h"
#include "swap/FolderName.h"

#include <algorithm>

namespace tessarin {

bool PinnedEditor::addPinnedFolder(const std::string& name) {
    const std::string item = trimmedWhiteSpace(name);
    const auto& pinned = state_.config().settings.pinnedFolders;
    if (item.empty() || std::find(pinned.begin(), pinned.end(), item) != pinned.end())
        return false;
    return state_.apply([&](Config& c) {
        auto& names = c.settings.pinnedFolders;
        if (std::find(names.begin(), names.end(), item) == names.end())
            names.push_back(item);
    });
}

bool PinnedEditor::removePinnedFolder(const std::string& name) {
    const auto& pinned = state_.config().settings.pinnedFolders;
    if (std::find(pinned.begin(), pinned.end(), name) == pinned.end())
        return false;
    return state_.apply([&](Config& c) { std::erase(c.settings.pinnedFolders, name); });
}

bool PinnedEditor::pinnedFolderIsOnDesktop(const std::string& name) {
    if (!isPlainFolderName(name))
        return false;
    FileService& files = state_.files();
    return files.exists(state_.paths().desktop / name) || files.exists(state_.paths().pinnedStash / name);
}

} // namespace tessarin
