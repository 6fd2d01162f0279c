#include "menu/StatusMenuModel.h"

#include <cctype>
#include <utility>

namespace tessarin {

namespace {

// The X key names of the keys with a fixed name, by stored key code.
constexpr std::pair<uint32_t, const char*> xKeyNames[] = {
    {49, "space"},    {36, "Return"},     {48, "Tab"}, {53, "Escape"}, {51, "BackSpace"}, {117, "Delete"},
    {123, "Left"},    {124, "Right"},     {126, "Up"}, {125, "Down"},  {115, "Home"},     {119, "End"},
    {116, "Page_Up"}, {121, "Page_Down"}, {122, "F1"}, {120, "F2"},    {99, "F3"},        {118, "F4"},
    {96, "F5"},       {97, "F6"},         {98, "F7"},  {100, "F8"},    {101, "F9"},       {109, "F10"},
    {103, "F11"},     {111, "F12"},
};

StatusMenuEntry separator() {
    StatusMenuEntry e;
    e.separator = true;
    return e;
}

StatusMenuEntry item(std::string title, MenuCommand command) {
    StatusMenuEntry e;
    e.title = std::move(title);
    e.command = command;
    return e;
}

} // namespace

StatusMenuModel buildStatusMenu(const Config& document, const PrintableKeyName& printable,
                                bool offersUpdates) {
    const AppSettings& s = document.settings;
    StatusMenuModel menu;
    auto& entries = menu.entries;
    // The shortcut of an item is shown only with the setting on and the shortcut assigned.
    auto pair = [&](StatusMenuEntry& e, const std::optional<HotKeySpec>& spec) {
        if (s.showShortcutsInMenu && spec) {
            e.shortcut = shortcutText(*spec, printable);
            e.shortcutKeys = shortcutKeys(*spec, printable);
        }
    };
    menu.toolTip = document.activeWorkspace == Config::blankWorkspaceName
                       ? "Tessarin \u2014 Desktop hidden"
                       : "Tessarin \u2014 " + document.activeWorkspace;

    for (const auto& w : document.liveWorkspaces()) {
        StatusMenuEntry e = item(w.name, MenuCommand::switchWorkspace);
        e.workspace = w.name;
        e.checked = w.name == document.activeWorkspace;
        pair(e, w.hotkey);
        entries.push_back(std::move(e));
    }
    if (const auto unsorted = document.unsortedWorkspaces(); !unsorted.empty()) {
        entries.push_back(separator());
        StatusMenuEntry count;
        count.title = "Unsorted desktops: " + std::to_string(unsorted.size());
        count.enabled = false;
        entries.push_back(std::move(count));
    }
    entries.push_back(separator());

    StatusMenuEntry collapse = item("Hide current desktop", MenuCommand::toggleCollapse);
    if (document.activeWorkspace == Config::blankWorkspaceName) {
        const auto target = document.expandTarget();
        collapse.title = target ? "Reopen \u201c" + *target + "\u201d" : "Expand desktop";
        collapse.checked = true;
        collapse.enabled = target.has_value();
    }
    pair(collapse, s.hideDesktopShortcut);
    entries.push_back(std::move(collapse));

    entries.push_back(item("New desktop…", MenuCommand::newWorkspace));
    if (s.showCleanupCalendarInMenu) {
        entries.push_back(item("Cleanup calendar", MenuCommand::openCalendar));
        pair(entries.back(), s.openCalendarShortcut);
    }
    if (s.showFloatingDockInMenu) {
        entries.push_back(item("Floating dock", MenuCommand::toggleDock));
        pair(entries.back(), s.floatingDockShortcut);
    }
    if (s.filterScreenshots && s.showScreenshotPauseInMenu) {
        entries.push_back(item("Screenshot filtering", MenuCommand::toggleScreenshotFilteringPause));
        entries.back().checked = !s.screenshotFilteringPaused;
    }
    entries.push_back(separator());
    entries.push_back(item("Settings…", MenuCommand::openSettings));
    if (offersUpdates)
        entries.push_back(item("Check for Updates…", MenuCommand::checkForUpdates));
    entries.push_back(item("Quit", MenuCommand::quit));

    if (s.showShortcutsInMenu) {
        for (const auto& e : entries)
            menu.showsShortcuts = menu.showsShortcuts || !e.shortcut.empty();
    } else {
        for (auto& e : entries)
            if (!e.separator && !e.title.empty())
                e.title += menuTitlePadding;
    }
    return menu;
}

std::vector<std::string> shortcutKeys(const HotKeySpec& spec, const PrintableKeyName& printable) {
    std::optional<std::string> key;
    for (const auto& [code, name] : xKeyNames)
        if (code == spec.keyCode)
            key = name;
    // A printable key is named by its character, which is also its X name for letters and digits.
    if (!key && printable) {
        if (auto name = printable(spec.keyCode);
            name && name->size() == 1 && std::isalnum(static_cast<unsigned char>((*name)[0])))
            key = std::string(1, static_cast<char>(std::tolower(static_cast<unsigned char>((*name)[0]))));
    }
    if (!key)
        return {};
    std::vector<std::string> keys;
    if (spec.modifiers & modifierBits::control)
        keys.push_back("Control");
    if (spec.modifiers & modifierBits::option)
        keys.push_back("Alt");
    if (spec.modifiers & modifierBits::shift)
        keys.push_back("Shift");
    if (spec.modifiers & modifierBits::command)
        keys.push_back("Super");
    keys.push_back(*key);
    return keys;
}

} // namespace tessarin
