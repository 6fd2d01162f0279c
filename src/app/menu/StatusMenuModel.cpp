#include "menu/StatusMenuModel.h"

namespace tessarin {

namespace {

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
        if (s.showShortcutsInMenu && spec)
            e.shortcut = shortcutText(*spec, printable);
    };

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

} // namespace tessarin
