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
Config screenshotPause(bool filtering) {
    Config c = withoutCalendarAndDock(documentWith("A", {"A"}));
    c.settings.showScreenshotPauseInMenu = true;
    c.settings.filterScreenshots = filtering;
    return c;
}

// The titles with the padding every one of them carries (no shortcut column) taken off.
std::vector<std::string> titles(const StatusMenuModel& m) {
    std::vector<std::string> t;
    for (const auto& e : m.entries) {
        EXPECT_TRUE(e.separator || e.title.ends_with(pad)) << e.title;
        t.push_back(e.separator ? "---" : e.title.substr(0, e.title.size() - pad.size()));
    }
    return t;
}

const StatusMenuEntry* entryTitled(const StatusMenuModel& m, const std::string& title) {
    for (const auto& e : m.entries)
        if (e.title == title || e.title == title + pad)
            return &e;
    return nullptr;
}

} // namespace

TEST(StatusMenu, ItemsInOrderForEachDocument) {
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
         {"Home", "Work", "---", "Hide current desktop", "New desktop…", "Cleanup calendar", "Floating dock",
          "---", "Settings…", "Quit"}},
        {"two unsorted archived desktops and a sorted one",
         [] {
             Config c = documentWith("A", {"A"});
             c.workspaces.push_back(archived("Old", WorkspaceState::archivedUnsorted));
             c.workspaces.push_back(archived("Older", WorkspaceState::archivedUnsorted));
             c.workspaces.push_back(archived("Kept", WorkspaceState::archivedSorted));
             return c;
         },
         {"A", "---", "Unsorted desktops: 2", "---", "Hide current desktop", "New desktop…",
          "Cleanup calendar", "Floating dock", "---", "Settings…", "Quit"}},
        {"hidden with the last expanded desktop live",
         [] {
             Config c = withoutCalendarAndDock(documentWith(blank, {"Home", "Work"}));
             c.lastExpandedWorkspace = "Work";
             return c;
         },
         {"Home", "Work", "---", "Reopen \u201cWork\u201d", "New desktop…", "---", "Settings…", "Quit"}},
        {"screenshot pause shown only with filtering on",
         [] { return screenshotPause(false); },
         {"A", "---", "Hide current desktop", "New desktop…", "---", "Settings…", "Quit"}},
        {"screenshot pause with filtering on",
         [] { return screenshotPause(true); },
         {"A", "---", "Hide current desktop", "New desktop…", "Screenshot filtering", "---", "Settings…",
          "Quit"}},
        {"the fallback document of an unreadable store",
         [] { return makeDefaultConfig(); },
         {"---", "Expand desktop", "New desktop…", "Cleanup calendar", "Floating dock", "---", "Settings…",
          "Quit"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(titles(buildStatusMenu(c.document())), c.expected) << c.what;
}

TEST(StatusMenu, StatesOfTheItems) {
    Config hidden = documentWith(blank, {"Home", "Work"});
    hidden.lastExpandedWorkspace = "Work";
    const auto reopen = buildStatusMenu(hidden);
    const auto* collapse = entryTitled(reopen, "Reopen \u201cWork\u201d");
    ASSERT_NE(collapse, nullptr);
    EXPECT_TRUE(collapse->checked);
    EXPECT_TRUE(collapse->enabled);
    EXPECT_EQ(collapse->command, MenuCommand::toggleCollapse);
    EXPECT_FALSE(entryTitled(reopen, "Work")->checked);

    const auto fallback = buildStatusMenu(makeDefaultConfig());
    const auto* expand = entryTitled(fallback, "Expand desktop");
    ASSERT_NE(expand, nullptr);
    EXPECT_TRUE(expand->checked);
    EXPECT_FALSE(expand->enabled);

    const auto normal = buildStatusMenu(documentWith("Work", {"Home", "Work"}));
    const auto* work = entryTitled(normal, "Work");
    EXPECT_TRUE(work->checked);
    EXPECT_EQ(work->workspace, "Work");
    EXPECT_EQ(work->command, MenuCommand::switchWorkspace);
    EXPECT_FALSE(entryTitled(normal, "Home")->checked);
    EXPECT_FALSE(entryTitled(normal, "Hide current desktop")->checked);

    Config archivedOnes = documentWith("A", {"A"});
    archivedOnes.workspaces.push_back(archived("Old", WorkspaceState::archivedUnsorted));
    const auto* count = entryTitled(buildStatusMenu(archivedOnes), "Unsorted desktops: 1");
    ASSERT_NE(count, nullptr);
    EXPECT_FALSE(count->enabled);
    EXPECT_FALSE(count->command.has_value());

    for (bool paused : {false, true}) {
        Config c = screenshotPause(true);
        c.settings.screenshotFilteringPaused = paused;
        EXPECT_EQ(entryTitled(buildStatusMenu(c), "Screenshot filtering")->checked, !paused);
    }
}

TEST(StatusMenu, ShortcutsArePairedOnlyWhenShownAndAssigned) {
    // Bits other than the four modifiers are not shown.
    const uint32_t all = modifierBits::control | modifierBits::option | modifierBits::shift |
                         modifierBits::command | (1u << 16);
    Config c = documentWith("Work", {"Home", "Work"});
    c.settings.showShortcutsInMenu = true;
    c.workspaces[0].hotkey = HotKeySpec{122, modifierBits::command};
    c.settings.hideDesktopShortcut = HotKeySpec{49, all};
    c.settings.floatingDockShortcut = HotKeySpec{200, modifierBits::option};
    const PrintableKeyName layout = [](uint32_t code) -> std::optional<std::string> {
        if (code == 0)
            return "A";
        return std::nullopt;
    };
    c.settings.openCalendarShortcut = HotKeySpec{0, modifierBits::shift | modifierBits::control};

    const auto menu = buildStatusMenu(c, layout);
    EXPECT_TRUE(menu.showsShortcuts);
    EXPECT_EQ(entryTitled(menu, "Home")->shortcut, "⌘F1");
    EXPECT_EQ(entryTitled(menu, "Work")->shortcut, "");
    EXPECT_EQ(entryTitled(menu, "Hide current desktop")->shortcut, "⌃⌥⇧⌘Space");
    EXPECT_EQ(entryTitled(menu, "Floating dock")->shortcut, "⌥Key 200");
    EXPECT_EQ(entryTitled(menu, "Cleanup calendar")->shortcut, "⌃⇧A");
    // With the column shown, titles are not padded.
    for (const auto& e : menu.entries)
        EXPECT_EQ(e.title.find("\u00a0"), std::string::npos) << e.title;

    // Shortcuts assigned but not to be shown: padding, no column.
    c.settings.showShortcutsInMenu = false;
    const auto hidden = buildStatusMenu(c, layout);
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
