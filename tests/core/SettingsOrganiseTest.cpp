// The settings model's other operations through real files: shortcuts, pinned items, screenshot
// filtering, custom rules, cues, the calendar, the archiver's operations, and how failures and
// concurrent edits are reported.
#include "model/SwitchLookSpec.h"
#include "organise/CleanupTasks.h"
#include "settings/NamingRules.h"
#include "support/World.h"

#include <gtest/gtest.h>

using namespace tessarin;
using test::berlin;
using test::World;
using Names = std::vector<std::string>;
namespace fs = std::filesystem;

namespace {

const std::string blank(Config::blankWorkspaceName);
constexpr uint32_t optionShift = 0x80000 | 0x20000;
using Model = SettingsModel&;

} // namespace

TEST(SettingsOrganise, ShortcutConflicts) {
    struct Case {
        const char* what;
        std::string owner; // a desktop, or "sort now", "hide", "cycle", "cycle back"
        std::optional<HotKeySpec> spec;
        std::string message;
    } cases[] = {
        {"a desktop taking cycling's key", "Work", HotKeySpec{49, optionShift},
         "\u2325\u21e7Space is already assigned to Cycle next."},
        {"a desktop taking another desktop's key", "Work", HotKeySpec{18, 0x140000},
         "\u2303\u2318Key 18 is already assigned to \u201cHome\u201d."},
        {"a desktop keeping its own key", "Work", HotKeySpec{19, 0x100000}, ""},
        {"a command taking a desktop's key", "sort now", HotKeySpec{19, 0x100000},
         "\u2318Key 19 is already assigned to \u201cWork\u201d."},
        {"hiding taking the dock's key", "hide", HotKeySpec{2, 0},
         "Key 2 is already assigned to Floating dock."},
        {"a free key", "cycle", HotKeySpec{50, 0x40000}, ""},
        {"clearing", "cycle back", std::nullopt, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        World w;
        Workspace home = Workspace::make("Home");
        home.hotkey = HotKeySpec{18, 0x140000};
        Workspace work = Workspace::make("Work");
        work.hotkey = HotKeySpec{19, 0x100000};
        w.desktops({work});
        w.elsewhere([&](Config& d) {
            d.workspaces.front() = home;
            d.settings.cycleNext = HotKeySpec{49, optionShift};
            d.settings.floatingDockShortcut = HotKeySpec{2, 0};
        });
        w.model.reload();
        const std::string before = test::readFile(w.paths.config);
        auto& keys = w.model.shortcuts;
        const bool changed = c.owner == "sort now"          ? keys.setSortNowShortcut(c.spec)
                             : c.owner == "hide"            ? keys.setHideDesktopShortcut(c.spec)
                             : c.owner.starts_with("cycle") ? keys.setCycle(c.owner == "cycle back", c.spec)
                                                            : keys.setHotkey(*c.spec, c.owner);
        EXPECT_EQ(changed, c.message.empty());
        EXPECT_EQ(w.error(), c.message);
        if (!c.message.empty()) {
            EXPECT_EQ(test::readFile(w.paths.config), before);
        }
    }
}

TEST(SettingsOrganise, CarouselAndPinnedItems) {
    World w;
    w.desktops({});
    ASSERT_TRUE(w.model.shortcuts.setOptionClickCarousel({"A", "", "B", "A", "C", "D", "E"}));
    EXPECT_EQ(w.load().settings.optionClickCarousel, (Names{"A", "B", "C", "D"}));

    // Pins are of items on the Desktop (the command line's table has the refusals).
    fs::create_directories(w.paths.desktop / "Projects");
    fs::create_directories(w.paths.desktop / "Inbox");
    struct Step {
        std::function<bool(SettingsModel&)> operation;
        bool changed;
        Names pinned;
    } steps[] = {
        {[](Model m) { return m.pinned.addPinnedFolder("  Projects "); }, true, {"Projects"}},
        {[](Model m) { return m.pinned.addPinnedFolder("Projects"); }, false, {"Projects"}},
        {[](Model m) { return m.pinned.addPinnedFolder("   "); }, false, {"Projects"}},
        {[](Model m) { return m.pinned.removePinnedFolder("Projects"); }, true, {}},
        {[](Model m) { return m.pinned.removePinnedFolder("Never pinned"); }, false, {}},
    };
    for (const auto& s : steps) {
        EXPECT_EQ(s.operation(w.model), s.changed);
        EXPECT_EQ(w.load().settings.pinnedFolders, s.pinned);
    }
    EXPECT_EQ(w.error(), "");

    w.put(w.paths.pinnedStash / "Parked");
    EXPECT_TRUE(w.model.pinned.pinnedFolderIsOnDesktop("Inbox"));
    EXPECT_TRUE(w.model.pinned.pinnedFolderIsOnDesktop("Parked"));
    fs::remove_all(w.paths.desktop / "Projects");
    EXPECT_FALSE(w.model.pinned.pinnedFolderIsOnDesktop("Projects"));
    EXPECT_FALSE(w.model.pinned.pinnedFolderIsOnDesktop("../Desktop"));
}

TEST(SettingsOrganise, TurningScreenshotFilteringOnAndOff) {
    struct Case {
        const char* what;
        std::vector<Workspace> desktops;
        std::optional<std::string> current;
        std::string expected;
        Names stored;
    } cases[] = {
        {"first time", {}, std::nullopt, "Screenshots", {"Home", "Screenshots", blank}},
        {"a desktop of that name exists",
         {Workspace::make("Screenshots")},
         std::nullopt,
         "Screenshots 2",
         {"Home", "Screenshots", "Screenshots 2", blank}},
        {"the chosen one is kept", {Workspace::make("Shots")}, "Shots", "Shots", {"Home", "Shots", blank}},
        {"the chosen one is gone", {}, "Deleted", "Screenshots", {"Home", "Screenshots", blank}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        World w;
        w.desktops(c.desktops);
        w.elsewhere([&](Config& d) {
            d.settings.screenshotsWorkspace = c.current;
            d.settings.screenshotFilteringPaused = true;
        });
        w.model.reload();
        ASSERT_TRUE(w.model.sorting.setFilterScreenshots(true)) << w.error();
        Config d = w.load();
        EXPECT_EQ(d.settings.screenshotsWorkspace, c.expected);
        EXPECT_TRUE(d.settings.filterScreenshots);
        EXPECT_FALSE(d.settings.screenshotFilteringPaused);
        EXPECT_EQ(w.names(), c.stored);
        EXPECT_TRUE(fs::is_directory(w.folder(c.expected)));
        const Workspace made = *d.findWorkspace(c.expected);
        EXPECT_EQ(made.type, WorkspaceType::permanent);
        EXPECT_TRUE(made.createsCleanupTask);

        w.elsewhere([](Config& x) { x.settings.screenshotFilteringPaused = true; });
        ASSERT_TRUE(w.model.sorting.setFilterScreenshots(false));
        d = w.load();
        EXPECT_FALSE(d.settings.filterScreenshots);
        EXPECT_FALSE(d.settings.screenshotFilteringPaused);
        EXPECT_EQ(d.settings.screenshotsWorkspace, c.expected);
        EXPECT_NE(d.findWorkspace(c.expected), nullptr);
    }

    World w;
    w.desktops({});
    w.put(w.folder("Screenshots"), "in the way");
    EXPECT_FALSE(w.model.sorting.setFilterScreenshots(true));
    EXPECT_EQ(w.error(), "Couldn't create the Screenshots desktop: Not a directory");
    EXPECT_FALSE(w.load().settings.filterScreenshots);

    ASSERT_TRUE(w.model.sorting.setScreenshotNamePrefix(" Shot "));
    EXPECT_EQ(w.load().settings.screenshotNamePrefix, " Shot ");
    ASSERT_TRUE(w.model.sorting.setScreenshotNamePrefix(""));
    EXPECT_EQ(w.load().settings.screenshotNamePrefix, std::nullopt);
    EXPECT_TRUE(w.model.sorting.screenshotsSaveToDesktop());
}

TEST(SettingsOrganise, RuleTargets) {
    struct Case {
        std::string name;
        std::string message;
        std::string collection; // after the call
        bool madeDesktop;
    } cases[] = {
        {"  Projects  ", "", "Projects", true},
        {"Home", "", "Home", false},
        {".dotted", "", ".dotted", true}, // only the "_" rule applies here
        {"", "", "", false},
        // The naming rules refuse these; their texts are checked with the rules.
        {"_Hidden Desktop", "~", "Old", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        World w;
        w.desktops({});
        const auto id = w.model.sorting.addCustomFilter();
        ASSERT_TRUE(id);
        ASSERT_TRUE(w.model.sorting.setCustomFilterPattern(*id, " tax "));
        w.elsewhere([](Config& d) { d.settings.customFilters[0].collection = "Old"; });
        w.model.reload();

        w.model.sorting.setCustomFilterCollection(*id, c.name);
        test::expectText(w.error(), c.message);
        const Config d = w.load();
        ASSERT_EQ(d.settings.customFilters.size(), 1u);
        const CustomFilter& rule = d.settings.customFilters[0];
        EXPECT_EQ(rule.collection, c.collection);
        EXPECT_EQ(rule.pattern, " tax ");
        EXPECT_TRUE(rule.enabled);
        EXPECT_EQ(w.names().size(), c.madeDesktop ? 3u : 2u);
        if (c.madeDesktop) {
            EXPECT_TRUE(fs::is_directory(w.folder(c.collection)));
            EXPECT_EQ(w.names()[1], c.collection);
        }
    }

    // Rules are found by id; an unknown id changes nothing.
    World w;
    w.desktops({});
    const auto first = *w.model.sorting.addCustomFilter();
    const auto second = *w.model.sorting.addCustomFilter();
    ASSERT_TRUE(w.model.sorting.setCustomFilterEnabled(first, false));
    ASSERT_TRUE(w.model.sorting.removeCustomFilter(second));
    const Uuid stranger = Uuid::random();
    EXPECT_FALSE(w.model.sorting.setCustomFilterPattern(stranger, "x"));
    EXPECT_FALSE(w.model.sorting.removeCustomFilter(stranger));
    const auto rules = w.load().settings.customFilters;
    ASSERT_EQ(rules.size(), 1u);
    EXPECT_EQ(rules[0].id, first);
    EXPECT_FALSE(rules[0].enabled);

    w.put(w.folder("Blocked"), "a file");
    EXPECT_FALSE(w.model.sorting.setCustomFilterCollection(first, "Blocked"));
    EXPECT_EQ(w.error(), "Couldn't create the desktop folder: Not a directory");
}

TEST(SettingsOrganise, CueEdits) {
    World w;
    w.desktops({Workspace::make("Work")});
    struct Step {
        std::function<bool(CueEditor&)> edit;
        bool enabled;
        std::string fill;
        double opacity;
        bool above;
    } steps[] = {
        {[](CueEditor& e) { return e.setCueOpacity("Work", 0.9); }, false, "#000000", 0.9, false},
        {[](CueEditor& e) { return e.setCueAboveIcons("Work", true); }, false, "#000000", 0.8, true},
        {[](CueEditor& e) { return e.setCueColor("Work", " #0a84ff "); }, false, "#0A84FF", 0.8, true},
        {[](CueEditor& e) { return !e.setCueColor("Work", "#abc"); }, false, "#0A84FF", 0.8, true},
        {[](CueEditor& e) { return e.setCueEnabled("Work", true); }, true, "#0A84FF", 0.8, true},
    };
    for (const auto& s : steps) {
        EXPECT_TRUE(s.edit(w.model.cues));
        const DesktopCue cue = w.desktop("Work").cue.value();
        EXPECT_EQ(cue.enabled, s.enabled);
        EXPECT_EQ(cue.fill, DesktopCue::Fill::color(s.fill));
        EXPECT_DOUBLE_EQ(cue.opacity, s.opacity);
        EXPECT_EQ(cue.aboveIcons, s.above);
        EXPECT_FALSE(cue.aboveMenuBar);
    }
    EXPECT_FALSE(w.model.cues.setCueEnabled("Nope", true));
}

TEST(SettingsOrganise, CueImagesAreCopiedIntoTheStore) {
    World w;
    w.desktops({Workspace::make("Work")});
    const fs::path mine = w.home / "Pictures/beach.JPG";
    w.put(mine, "jpeg bytes");

    ASSERT_TRUE(w.model.cues.setCueImage("Work", mine)) << w.error();
    const auto first = w.desktop("Work").cue->fill;
    ASSERT_EQ(first.kind, DesktopCue::Fill::Kind::image);
    EXPECT_EQ(fs::path(first.value).parent_path(), w.paths.cues);
    EXPECT_EQ(fs::path(first.value).extension(), ".JPG");
    EXPECT_EQ(test::readFile(first.value), "jpeg bytes");

    // A second picture replaces the first copy, which goes; the user's files stay.
    const fs::path other = w.home / "Pictures/forest.png";
    w.put(other, "png bytes");
    ASSERT_TRUE(w.model.cues.setCueImage("Work", other));
    const auto second = w.desktop("Work").cue->fill;
    EXPECT_NE(second.value, first.value);
    EXPECT_FALSE(fs::exists(first.value));
    EXPECT_EQ(test::World::listing(w.paths.cues).size(), 1u);
    EXPECT_TRUE(fs::exists(mine));

    // A cue pointing at a picture outside the store: that file is never deleted.
    w.elsewhere([&](Config& d) {
        d.updateWorkspace("Work",
                          [&](Workspace& x) { x.cue->fill = DesktopCue::Fill::image(mine.string()); });
    });
    w.model.reload();
    ASSERT_TRUE(w.model.cues.setCueImage("Work", other));
    EXPECT_TRUE(fs::exists(mine));

    for (const auto& bad : {w.home / "Pictures/missing.png", w.home / "Pictures"}) {
        w.model.state.clearErrorMessage();
        const std::string before = test::readFile(w.paths.config);
        EXPECT_FALSE(w.model.cues.setCueImage("Work", bad));
        EXPECT_TRUE(w.error().starts_with("Couldn't load that image: ")) << w.error();
        EXPECT_EQ(test::readFile(w.paths.config), before);
    }
    EXPECT_EQ(w.error(), "Couldn't load that image: Is a directory");
}

TEST(SettingsOrganise, CalendarOperationsTakeTheDay) {
    World w;
    w.desktops({Workspace::make("A"), Workspace::make("B"), Workspace::make("C")});
    const Date tuesdayEvening = berlin(2026, 3, 3, 21, 30, false);
    const Date tuesday = berlin(2026, 3, 3, 0, 0, false);
    const Date friday = berlin(2026, 3, 6, 0, 0, false);

    ASSERT_TRUE(w.model.calendar.setCleanupDate("A", tuesdayEvening));
    ASSERT_TRUE(w.model.calendar.setCleanupDate("B", berlin(2026, 3, 3, 8, 0, false)));
    ASSERT_TRUE(w.model.calendar.setCleanupDate("C", friday));
    Config d = w.load();
    ASSERT_EQ(d.cleanupTasks.size(), 2u);
    EXPECT_EQ(d.cleanupTasks[0].members, (Names{"A", "B"}));
    EXPECT_EQ(d.cleanupTasks[0].date, tuesday);

    const auto onTuesday = w.model.calendar.cleanupCandidates(berlin(2026, 3, 3, 23, 59, false));
    ASSERT_EQ(onTuesday.size(), 1u);
    EXPECT_EQ(onTuesday[0].members, (Names{"A", "B"}));
    EXPECT_TRUE(w.model.calendar.cleanupCandidates(berlin(2026, 3, 4, 0, 0, false)).empty());

    // A task moved takes the day too; merging and removing are the cleanup tasks' own operations.
    ASSERT_TRUE(w.model.calendar.rescheduleTask(d.cleanupTasks[1].id, berlin(2026, 3, 9, 17, 0, false)));
    EXPECT_EQ(w.load().cleanupTasks[1].date, berlin(2026, 3, 9, 0, 0, false));
}

TEST(SettingsOrganise, ArchiverOperationsReportThroughTheModel) {
    struct Case {
        const char* what;
        std::function<bool(World&)> operation;
        std::string message;
        bool deleteFailure;
        bool changed;
    } cases[] = {
        {"archiving a permanent desktop", [](World& w) { return w.model.archives.archive("Keep"); }, "~",
         false, false},
        {"archiving a temporary desktop", [](World& w) { return w.model.archives.archive("Temp"); }, "",
         false, true},
        {"deleting mid-switch",
         [](World& w) {
             w.busy = true;
             return w.model.archives.deleteWorkspace("Keep");
         },
         "~", false, false},
        {"the Trash refusing",
         [](World& w) {
             w.files.trashFault = EIO;
             return w.model.archives.deleteWorkspace("Keep");
         },
         "", true, false},
        {"deleting a desktop", [](World& w) { return w.model.archives.deleteWorkspace("Keep"); }, "", false,
         true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        World w;
        w.desktops({Workspace::make("Keep"), Workspace::make("Temp", WorkspaceType::temporary)});
        EXPECT_EQ(c.operation(w), c.changed);
        test::expectText(w.error(), c.message); // the archiver's refusals, whose texts it checks itself
        EXPECT_EQ(w.model.state.deleteFailure().has_value(), c.deleteFailure);
        EXPECT_EQ(w.changes, c.changed ? 1 : 0);
        EXPECT_EQ(w.model.config(), w.load());
    }
    // Without an archiver those operations say so and change nothing.
    World w;
    SettingsModel bare(SettingsDependencies{w.store, w.paths, w.files, w.clock});
    EXPECT_FALSE(bare.archives.archive("Keep"));
    EXPECT_EQ(bare.errorMessage(), ArchiveEditor::unavailableText);
}

TEST(SettingsOrganise, AFailedSaveLeavesTheCopyAndTellsNobody) {
    World w;
    w.desktops({Workspace::make("Work")});
    const Config copy = w.model.config();
    // A newer version wrote the document in the meantime: saving is refused.
    w.elsewhere([](Config& d) { d.settings.startMinimized = true; });
    std::string newer = test::readFile(w.paths.config);
    newer.replace(newer.find("\"schemaVersion\":1"), 17, "\"schemaVersion\":9");
    test::writeFile(w.paths.config, newer);

    EXPECT_FALSE(w.model.preferences.setScrollToCycle(false));
    EXPECT_EQ(w.error(), StoreError::newerText);
    EXPECT_EQ(w.changes, 0);
    EXPECT_EQ(w.model.config(), copy);
    EXPECT_EQ(test::readFile(w.paths.config), newer);
}

TEST(SettingsOrganise, EditsMadeElsewhereInBetweenAreKept) {
    World w;
    w.desktops({Workspace::make("Work"), Workspace::make("B")});
    const std::string before = w.model.config().activeWorkspace;

    // Another writer adds a desktop, pins an item and moves the active desktop while the model's copy
    // is stale; each model operation starts from the file.
    w.elsewhere([](Config& d) {
        insertBeforeBlank(d, Workspace::make("Added"));
        d.settings.pinnedFolders.push_back("Elsewhere");
        d.activeWorkspace = "B";
    });
    fs::create_directories(w.folder("Added"));
    ASSERT_TRUE(w.model.desktops.rename("Work", "Projects"));
    w.elsewhere([](Config& d) { d.settings.cleanupNotifyMinutes = 600; });
    ASSERT_TRUE(w.model.preferences.stampSwitchAnimation(SwitchLook::frost, SwitchSpeed::slow,
                                                         SwitchIntensity::strong));
    w.elsewhere([](Config& d) { d.settings.customFiltersEnabled = true; });
    fs::create_directories(w.paths.desktop / "Mine");
    ASSERT_TRUE(w.model.pinned.addPinnedFolder("Mine"));
    w.elsewhere([](Config& d) { d.updateWorkspace("B", [](Workspace& b) { b.files = {"b.txt"}; }); });
    ASSERT_TRUE(w.model.desktops.setDeskOrder({"B", "Added", "Home", "Projects"}));

    const Config d = w.load();
    EXPECT_EQ(w.names(), (Names{"B", "Added", "Home", "Projects", blank}));
    EXPECT_EQ(d.activeWorkspace, "B");
    EXPECT_EQ(d.settings.pinnedFolders, (Names{"Elsewhere", "Mine"}));
    EXPECT_EQ(d.settings.cleanupNotifyMinutes, 600);
    EXPECT_TRUE(d.settings.customFiltersEnabled);
    EXPECT_EQ(d.settings.switchSpeed, SwitchSpeed::slow);
    EXPECT_EQ(d.settings.switchMinDurationMs, 1350);
    EXPECT_EQ(d.findWorkspace("B")->files, Names{"b.txt"});
    EXPECT_EQ(w.model.config(), d);
    EXPECT_EQ(before, "Home");
}
