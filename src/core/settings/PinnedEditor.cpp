#include "settings/PinnedEditor.h"

#include "organise/ScreenshotFilter.h"
#include "swap/FolderName.h"

#include <algorithm>

namespace tessarin {

std::optional<std::string> PinnedEditor::pinRefusal(const std::string& name) {
    const std::string item = trimmedWhiteSpace(name);
    // Pins match an item directly on the Desktop by its name; a path would name something else.
    if (item.find('/') != std::string::npos)
        return "Pin an item by its name on the Desktop, without \u201c/\u201d: only items directly on the "
               "Desktop stay through switches.";
    if (!pinnedFolderIsOnDesktop(item))
        return std::string(notOnDesktopMessage) + "\n" + notOnDesktopInformative;
    return std::nullopt;
}

bool PinnedEditor::isPinned(const std::string& name) const {
    const auto& pinned = state_.config().settings.pinnedFolders;
    return std::find(pinned.begin(), pinned.end(), name) != pinned.end();
}

bool PinnedEditor::addPinnedFolder(const std::string& name) {
    const std::string item = trimmedWhiteSpace(name);
    if (item.empty() || isPinned(item))
        return false;
    if (auto refusal = pinRefusal(item))
        return state_.refuse(std::move(*refusal));
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
