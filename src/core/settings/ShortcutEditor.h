#pragma once

#include "settings/SettingsState.h"
#include "settings/ShortcutConflicts.h"

#include <optional>
#include <string>
#include <vector>

namespace tessarin {

// Shortcuts of desktops and commands, each refused while another owner holds it, and the option-click
// carousel. A shortcut of none clears it.
class ShortcutEditor {
public:
    ShortcutEditor(SettingsState& state, ShortcutText shortcutText)
        : state_(state), shortcutText_(std::move(shortcutText)) {}

    bool setHotkey(const std::optional<HotKeySpec>& spec, const std::string& name);
    bool setCycle(bool next, const std::optional<HotKeySpec>& spec);
    bool setHideDesktopShortcut(const std::optional<HotKeySpec>& spec);
    bool setSwitchToLastShortcut(const std::optional<HotKeySpec>& spec);
    bool setOpenSettingsShortcut(const std::optional<HotKeySpec>& spec);
    bool setOpenCalendarShortcut(const std::optional<HotKeySpec>& spec);
    bool setSortNowShortcut(const std::optional<HotKeySpec>& spec);
    bool setFloatingDockShortcut(const std::optional<HotKeySpec>& spec);
    // Stores the names without empty ones and repeats (first occurrence kept), at most 4.
    bool setOptionClickCarousel(const std::vector<std::string>& names);

private:
    // A command's shortcut: refused when any owner, the command itself included, already holds that shortcut.
    bool setCommandShortcut(std::optional<HotKeySpec> AppSettings::*field,
                            const std::optional<HotKeySpec>& spec);
    bool refuseIfTaken(const HotKeySpec& spec, const std::optional<HotKeyAssignment::Owner>& excluding);

    SettingsState& state_;
    ShortcutText shortcutText_;
};

} // namespace tessarin
