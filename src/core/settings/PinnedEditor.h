#pragma once

#include "settings/SettingsState.h"

#include <optional>
#include <string>

namespace tessarin {

// The pinned items: names that stay on the Desktop through every switch and are never swept.
class PinnedEditor {
public:
    static constexpr const char* notOnDesktopMessage = "That item isn\u2019t on your Desktop";
    static constexpr const char* notOnDesktopInformative =
        "Pinning keeps a Desktop item in place across switches \u2014 it doesn\u2019t bring in files from "
        "elsewhere. Move it to the Desktop first, then pin it.";

    explicit PinnedEditor(SettingsState& state) : state_(state) {}

    // Why the trimmed name can't be pinned: a path rather than a name, or no such item on the Desktop
    // (nor parked in the pinned stash). The second is notOnDesktopMessage, a line break and
    // notOnDesktopInformative. None when it can.
    std::optional<std::string> pinRefusal(const std::string& name);
    // Pins the trimmed name; an empty or already pinned name changes nothing. An item that can't be
    // pinned is refused with pinRefusal's text.
    bool addPinnedFolder(const std::string& name);
    // The name is in the pinned list, exactly as given.
    bool isPinned(const std::string& name) const;
    // Unpins the name; the item itself stays where it is.
    bool removePinnedFolder(const std::string& name);
    // The item is on the Desktop or parked in the pinned stash.
    bool pinnedFolderIsOnDesktop(const std::string& name);

private:
    SettingsState& state_;
};

} // namespace tessarin
