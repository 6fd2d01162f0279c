#include "menu/StatusMenuModel.h"

#include <gtest/gtest.h>

using namespace tessarin;

namespace {

const std::string pad = menuTitlePadding;
const std::string blank(Config::blankWorkspaceName);

Config documentWith(const std::string& active, const std::vector<std::string>& live) {
    Config c = makeDefaultConfig();
    c.activeWorkspace = active;
    for (const auto& n : live)
        c.workspaces.push_back(Workspace::make(n));
    c.workspaces.push_back(Workspace::make(blank));
    return c;
}

Workspace archived(const std::string& name, WorkspaceState state) {
    Workspace w = Workspace::make(name);
    w.state = state;
    return w;
}

Config withoutCalendarAndDock(Config c) {
    c.settings.showCleanupCalendarInMenu = false;
    c.settings.showFloatingDockInMenu = false;
    return c;
}

// One desktop, the screenshot pause asked for in the menu.
Config screenshotPause(bool filtering, bool paused = false) {
    Config c = withoutCalendarAndDock(documentWith("A", {"A"}));
    c.settings.showScreenshotPauseInMenu = true;
    c.settings.filterScreenshots = filtering;
    c.settings.screenshotFilteringPaused = paused;
    return c;
}

// The rows as the user reads them: "[x] " before a checked one, " (off)" after a disabled one, without
// the padding every title carries when there is no shortcut column.
std::vector<std::string> rows(const StatusMenuModel& m) {
    std::vector<std::string> t;
    for (const auto& e : m.entries) {
        EXPECT_TRUE(e.separator || e.title.ends_with(pad)) << e.title;
        if (e.separator) {
            t.push_back("---");
            continue;
        }
        const std::string title = e.title.substr(0, e.title.size() - pad.size());
        t.push_back((e.checked ? "[x] " : "") + title + (e.enabled ? "" : " (off)"));
    }
    return t;
}

const StatusMenuEntry* entryTitled(const StatusMenuModel& m, const std::string& title) {
    for (const auto& e : m.entries)
        if (e.title == title)
            return &e;
    return nullptr;
}

} // namespace

TEST(StatusMenu, ItemsInOrderAndTheirStatesForEachDocument) {
    struct Case {
        const char* what;
        std::function<Config()> document;
        std::vector<std::string> expected;
    };
    const std::vector<Case> cases = {
        {"two desktops, defaults",
         [] {
             return documentWith("Work", {"Home", "Work"});
         },
         {"Home", "[x] Work", "---", "Hide current desktop", "New desktop…", "Cleanup calendar",
          "Floating dock", "---", "Settings…", "Quit"}},
        {"two unsorted archived desktops and a sorted one",
         [] {
             Config c = documentWith("A", {"A"});
             c.workspaces.push_back(archived("Old", WorkspaceState::archivedUnsorted));
             c.workspaces.push_back(archived("Older", WorkspaceState::archivedUnsorted));
             c.workspaces.push_back(archived("Kept", WorkspaceState::archivedSorted));
             return c;
         },
         {"[x] A", "---", "Unsorted desktops: 2 (off)", "---", "Hide current desktop", "New desktop…",
          "Cleanup calendar", "Floating dock", "---", "Settings…", "Quit"}},
        {"hidden with the last expanded desktop live",
         [] {
             Config c = withoutCalendarAndDock(documentWith(blank, {"Home", "Work"}));
             c.lastExpandedWorkspace = "Work";
             return c;
         },
         {"Home", "Work", "---", "[x] Reopen \u201cWork\u201d", "New desktop…", "---", "Settings…", "Quit"}},
        {"screenshot pause shown only with filtering on",
         [] { return screenshotPause(false); },
         {"[x] A", "---", "Hide current desktop", "New desktop…", "---", "Settings…", "Quit"}},
        {"screenshot pause with filtering on",
         [] { return screenshotPause(true); },
         {"[x] A", "---", "Hide current desktop", "New desktop…", "[x] Screenshot filtering", "---",
          "Settings…", "Quit"}},
        {"screenshot filtering paused",
         [] { return screenshotPause(true, true); },
         {"[x] A", "---", "Hide current desktop", "New desktop…", "Screenshot filtering", "---", "Settings…",
          "Quit"}},
        {"the fallback document of an unreadable store",
         [] { return makeDefaultConfig(); },
         {"---", "[x] Expand desktop (off)", "New desktop…", "Cleanup calendar", "Floating dock", "---",
          "Settings…", "Quit"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(rows(buildStatusMenu(c.document())), c.expected) << c.what;
}

TEST(StatusMenu, ShortcutsArePairedOnlyWhenShownAndAssigned) {
    Config c = documentWith("Work", {"Home", "Work"});
    c.settings.showShortcutsInMenu = true;
    c.workspaces[0].hotkey = HotKeySpec{122, modifierBits::command};
    c.settings.hideDesktopShortcut = HotKeySpec{49, modifierBits::option};
    c.settings.floatingDockShortcut = HotKeySpec{120, modifierBits::option};
    c.settings.openCalendarShortcut = HotKeySpec{99, modifierBits::shift};

    const auto menu = buildStatusMenu(c);
    EXPECT_TRUE(menu.showsShortcuts);
    EXPECT_EQ(entryTitled(menu, "Home")->shortcut, "⌘F1");
    EXPECT_EQ(entryTitled(menu, "Work")->shortcut, "");
    EXPECT_EQ(entryTitled(menu, "Hide current desktop")->shortcut, "⌥Space");
    EXPECT_EQ(entryTitled(menu, "Floating dock")->shortcut, "⌥F2");
    EXPECT_EQ(entryTitled(menu, "Cleanup calendar")->shortcut, "⇧F3");

    // Shortcuts assigned but not to be shown: padding, no column.
    c.settings.showShortcutsInMenu = false;
    const auto hidden = buildStatusMenu(c);
    EXPECT_FALSE(hidden.showsShortcuts);
    for (const auto& e : hidden.entries) {
        EXPECT_TRUE(e.shortcut.empty());
        if (!e.separator) {
            EXPECT_TRUE(e.title.ends_with(pad)) << e.title;
        }
    }

    // Shown but none assigned: no column and no padding.
    Config none = documentWith("Work", {"Home", "Work"});
    none.settings.showShortcutsInMenu = true;
    const auto bare = buildStatusMenu(none);
    EXPECT_FALSE(bare.showsShortcuts);
    EXPECT_EQ(entryTitled(bare, "Home")->title, "Home");
}
