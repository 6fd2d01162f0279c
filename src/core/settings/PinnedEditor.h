#pragma once

#include "settings/SettingsState.h"

#include <string>

namespace tessarin {

// The pinned items: names that stay on the Desktop through every switch and are never swept.
class PinnedEditor {
public:
    explicit PinnedEditor(SettingsState& state) : state_(state) {}

    // Pins the trimmed name; an empty or already pinned name changes nothing.
    bool addPinnedFolder(const std::string& name);
    // Unpins the name; the item itself stays where it is.
    bool removePinnedFolder(const std::string& name);
    // The item is on the Desktop or parked in the pinned stash.
    bool pinnedFolderIsOnDesktop(const std::string& name);

private:
    SettingsState& state_;
};

} // namespace tessarin
