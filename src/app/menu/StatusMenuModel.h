#pragma once

#include "model/Config.h"
#include "model/ShortcutText.h"

#include <optional>
#include <string>
#include <vector>

namespace tessarin {

// What choosing a status menu item does.
enum class MenuCommand {
    switchWorkspace, // to the item's desktop
    toggleCollapse,
    newWorkspace,
    openCalendar,
    toggleDock,
    toggleScreenshotFilteringPause,
    openSettings,
    checkForUpdates,
    quit,
};

// One row of the status menu.
struct StatusMenuEntry {
    bool separator = false;
    std::string title; // as shown, padding included
    bool enabled = true;
    bool checked = false;
    std::optional<MenuCommand> command; // none for the unsorted count
    std::string workspace;              // the desktop of a desktop item
    std::string shortcut;               // the shortcut shown at the right edge; empty for none
    // The same shortcut for panels that draw the menu: the modifiers ("Control", "Alt", "Shift",
    // "Super") and the key's X name ("F1", "space", "a"); empty for none or a key without a name.
    std::vector<std::string> shortcutKeys;

    bool operator==(const StatusMenuEntry&) const = default;
};

// The status menu as the document describes it, rebuilt after every change.
struct StatusMenuModel {
    std::vector<StatusMenuEntry> entries;
    bool showsShortcuts = false; // the shortcut column is laid out (some item has a shortcut)
    std::string toolTip;         // "Tessarin — Work": what the icon's tooltip says

    bool operator==(const StatusMenuModel&) const = default;
};

// Five no-break spaces: widen every title a little when no shortcut column is shown.
inline constexpr const char* menuTitlePadding = "\u00a0\u00a0\u00a0\u00a0\u00a0";

// `offersUpdates`: the program can update itself ("Check for Updates…").
StatusMenuModel buildStatusMenu(const Config& document, const PrintableKeyName& printable = {},
                                bool offersUpdates = false);

// The shortcut as panels that draw the menu take it (see StatusMenuEntry::shortcutKeys).
std::vector<std::string> shortcutKeys(const HotKeySpec& spec, const PrintableKeyName& printable);

} // namespace tessarin
