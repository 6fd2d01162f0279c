// The settings model's desktop operations through real folders: naming rules, renames and every record
// that follows them, types, order, creation and adoption.
#include "model/DesktopPalette.h"
#include "organise/CleanupTasks.h"
#include "settings/NamingRules.h"
#include "support/World.h"

#include <gtest/gtest.h>

using namespace tessarin;
using test::World;
using Names = std::vector<std::string>;
namespace fs = std::filesystem;

namespace {

const std::string blank(Config::blankWorkspaceName);

NewDesktop named(std::string name) {
    NewDesktop request;
    request.name = std::move(name);
    return request;
}

NewDesktop withKey(std::string name, HotKeySpec spec) {
    NewDesktop request = named(std::move(name));
    request.hotkey = spec;
    return request;
}

const HotKeySpec cycleKey{49, 0x80000 | 0x20000};

} // namespace

TEST(SettingsDesktops, RenameRefusals) {
    struct Case {
        std::string to;
        std::string message; // empty: nothing happens without a word
        bool renamed;
    } cases[] = {
        {"  Work  ", "", false},
        {"archive", "~", false}, // the naming rules, whose texts are checked with them
        {"Home", "\u201cHome\u201d already exists.", false},
        {" Projects ", "", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.to);
        World w;
        w.desktops({Workspace::make("Work")});
        w.put(w.folder("Work") / "plan.txt", "plan");
        const std::string before = test::readFile(w.paths.config);

        EXPECT_EQ(w.model.desktops.rename("Work", c.to), c.renamed);
        test::expectText(w.error(), c.message);
        if (!c.renamed) {
            EXPECT_EQ(test::readFile(w.paths.config), before);
            EXPECT_EQ(w.changes, 0);
            EXPECT_TRUE(fs::exists(w.folder("Work") / "plan.txt"));
            continue;
        }
        const std::string name = trimmedName(c.to);
        EXPECT_EQ(w.names(), (Names{"Home", name, blank}));
        EXPECT_EQ(test::readFile(w.folder(name) / "plan.txt"), "plan");
        EXPECT_FALSE(fs::exists(w.folder("Work")));
        EXPECT_EQ(w.changes, 1);
        EXPECT_EQ(w.model.config(), w.load()); // the copy was reloaded
    }
}

TEST(SettingsDesktops, ARenameCarriesTheNewNameToEveryReference) {
    World w;
    Workspace pour = Workspace::make("Pour", WorkspaceType::temporary);
    pour.drainTarget = "Work";
    pour.timerDrains = true;
    w.desktops({Workspace::make("Work"), pour, Workspace::make("Other")});
    w.elsewhere([](Config& c) {
        c.activeWorkspace = "Work";
        c.settings.screenshotsWorkspace = "Work";
        c.settings.filterScreenshots = true;
        c.settings.customFilters = {test::rule("tax", "Work"), test::rule("misc", "Other")};
        c.settings.optionClickCarousel = {"Other", "Work"};
        c.lastExpandedWorkspace = "Work";
        addCleanupTask(c, "Work", Date{1000});
        addCleanupTask(c, "Other", Date{1000});
    });
    w.model.reload();

    const std::string colour = w.desktop("Work").colorHex;
    ASSERT_TRUE(w.model.desktops.rename("Work", "Projects")) << w.error();
    const Config c = w.load();
    EXPECT_EQ(c.activeWorkspace, "Projects");
    EXPECT_EQ(c.settings.screenshotsWorkspace, "Projects");
    EXPECT_EQ(c.settings.customFilters[0].collection, "Projects");
    EXPECT_EQ(c.settings.customFilters[1].collection, "Other");
    EXPECT_EQ(c.findWorkspace("Pour")->drainTarget, "Projects");
    EXPECT_TRUE(c.findWorkspace("Pour")->timerDrains);
    EXPECT_EQ(c.settings.optionClickCarousel, (Names{"Other", "Work"})); // not followers of a rename
    EXPECT_EQ(c.lastExpandedWorkspace, "Work");
    ASSERT_EQ(c.cleanupTasks.size(), 2u);
    EXPECT_EQ(c.cleanupTasks[0].members, Names{"Projects"});
    EXPECT_EQ(c.cleanupTasks[1].members, Names{"Other"});
    EXPECT_EQ(c.findWorkspace("Projects")->colorHex, colour); // only the name changes
    EXPECT_TRUE(fs::is_directory(w.folder("Projects")));
}

TEST(SettingsDesktops, RenameFolderFailures) {
    // A folder of the new name already in the store is never replaced.
    World w;
    w.desktops({Workspace::make("Work")});
    w.put(w.folder("Projects") / "theirs.txt", "theirs");
    const std::string before = test::readFile(w.paths.config);
    EXPECT_FALSE(w.model.desktops.rename("Work", "Projects"));
    EXPECT_EQ(w.error(), "Couldn't rename the folder: File exists");
    EXPECT_EQ(test::readFile(w.paths.config), before);
    EXPECT_EQ(test::readFile(w.folder("Projects") / "theirs.txt"), "theirs");
    EXPECT_TRUE(fs::is_directory(w.folder("Work")));

    // An injected move failure.
    w.model.state.clearErrorMessage();
    w.files.moveFault = [](const fs::path&, const fs::path&) { return EACCES; };
    EXPECT_FALSE(w.model.desktops.rename("Work", "Elsewhere"));
    EXPECT_EQ(w.error(), "Couldn't rename the folder: Permission denied");

    // A desktop whose folder is gone gets a fresh one under the new name.
    w.files.moveFault = nullptr;
    fs::remove_all(w.folder("Work"));
    EXPECT_TRUE(w.model.desktops.rename("Work", "Fresh"));
    EXPECT_TRUE(fs::is_directory(w.folder("Fresh")));

    // An archived desktop's folder is in the archive: nothing is made in the store.
    World a;
    a.desktops({World::archived("Old")});
    EXPECT_TRUE(a.model.desktops.rename("Old", "Older"));
    EXPECT_FALSE(fs::exists(a.folder("Older")));
    EXPECT_EQ(a.load().findWorkspace("Older")->state, WorkspaceState::archivedUnsorted);
}

TEST(SettingsDesktops, Types) {
    World w;
    Workspace intoTemp = Workspace::make("Feeder", WorkspaceType::temporary);
    intoTemp.drainTarget = "Target";
    intoTemp.timerDrains = true;
    Workspace drains = Workspace::make("Drains", WorkspaceType::temporary);
    drains.drainTarget = "Home";
    drains.timerDrains = true;
    w.desktops({Workspace::make("Screenshots"), Workspace::make("Screenshots 2"), Workspace::make("Target"),
                intoTemp, drains});
    // Making a desktop temporary removes it as every other desktop's drain target.
    ASSERT_TRUE(w.model.desktops.setType("Target", WorkspaceType::temporary));
    EXPECT_EQ(w.desktop("Feeder").drainTarget, std::nullopt);
    EXPECT_FALSE(w.desktop("Feeder").timerDrains);
    EXPECT_EQ(w.desktop("Target").type, WorkspaceType::temporary);
    // Making one permanent drops its own drain.
    ASSERT_TRUE(w.model.desktops.setType("Drains", WorkspaceType::permanent));
    EXPECT_EQ(w.desktop("Drains").drainTarget, std::nullopt);
    EXPECT_FALSE(w.desktop("Drains").timerDrains);
    EXPECT_FALSE(w.model.desktops.setType("Nope", WorkspaceType::temporary));
    EXPECT_FALSE(w.model.desktops.setType(blank, WorkspaceType::temporary));
}

TEST(SettingsDesktops, OrderKeepsArchivedAndBlankDesktopsInPlace) {
    struct Case {
        Names order;
        Names stored;
    } cases[] = {
        {{"B", "A", "Home"}, {"B", "X", "A", "Home", blank}},
        {{"B", "Nope", "A", "X", "Home"},
         {"B", "X", "A", "Home", blank}},                  // unknown and archived names skipped
        {{"B", "A"}, {"A", "X", "B", "Home", blank}},      // Home missing: nothing changes
        {{"B", "B", "A"}, {"A", "X", "B", "Home", blank}}, // a repeat does not count twice
    };
    for (const auto& c : cases) {
        World w;
        Config d = makeDefaultConfig();
        d.activeWorkspace = "A";
        d.workspaces = {Workspace::make("A"), World::archived("X"), Workspace::make("B"),
                        Workspace::make("Home"), Workspace::make(blank)};
        w.store.saveConfig(d);
        w.model.reload();
        const bool changed = c.stored != Names{"A", "X", "B", "Home", blank};
        EXPECT_EQ(w.model.desktops.setDeskOrder(c.order), changed);
        EXPECT_EQ(w.names(), c.stored);
        EXPECT_EQ(w.changes, changed ? 1 : 0);
    }
}

TEST(SettingsDesktops, CreationThroughTheSheetRules) {
    struct Case {
        const char* what;
        NewDesktop request;
        std::string message;
        bool created;
    } cases[] = {
        {"a name the naming rules refuse", named("New\n2"), "~", false},
        {"taken", named(" Home "), "\u201cHome\u201d already exists.", false},
        {"a shortcut cycling uses", withKey("New", cycleKey), "~Cycle next", false},
        {"a plain desktop", named(" New "), "", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        World w;
        w.desktops({});
        w.elsewhere([&](Config& d) { d.settings.cycleNext = cycleKey; });
        w.model.reload();
        EXPECT_EQ(w.model.desktops.create(c.request), c.created);
        test::expectText(w.error(), c.message);
        EXPECT_EQ(fs::exists(w.folder("New")), c.created);
        EXPECT_EQ(w.names().size(), c.created ? 3u : 2u);
    }
}

TEST(SettingsDesktops, CreatedDesktopsTimersDrainsColoursAndTheCarousel) {
    World w;
    Workspace temp = Workspace::make("Scratch", WorkspaceType::temporary);
    w.desktops({Workspace::make("Keep"), temp, World::archived("Gone")});
    w.elsewhere([](Config& c) { c.settings.optionClickCarousel = {"Home", "Keep", "Scratch"}; });
    w.model.reload();

    struct Case {
        std::string name;
        std::optional<std::string> drainInto;
        bool timer;
        bool drains;
        std::size_t carousel;
    } cases[] = {
        {"T1", "Keep", true, true, 4},     // fourth name joins the carousel
        {"T2", "Scratch", true, false, 4}, // temporary target: no drain; carousel full
        {"T3", "Gone", true, false, 4},    // archived target
        {"T4", "Missing", true, false, 4}, // no such desktop
        {"T5", "Keep", false, false, 4},   // no timer, no drain
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        NewDesktop request = named(c.name);
        request.type = WorkspaceType::temporary;
        request.drainTarget = c.drainInto;
        request.createsCleanupTask = false;
        request.addToCarousel = true;
        if (c.timer)
            request.timer = ArchiveTimer{ArchiveTimerMode::idle, 3};
        ASSERT_TRUE(w.model.desktops.create(request)) << w.error();
        const Workspace made = w.desktop(c.name);
        EXPECT_EQ(made.timerDrains, c.drains);
        EXPECT_EQ(made.drainTarget, c.drains ? c.drainInto : std::nullopt);
        EXPECT_EQ(made.timer.has_value(), c.timer);
        EXPECT_EQ(made.clearMode, c.drains  ? ClearMode::move
                                  : c.timer ? ClearMode::archive
                                            : ClearMode::keep);
        EXPECT_FALSE(made.createsCleanupTask);
        EXPECT_EQ(made.createdAt, w.clock.now());
        EXPECT_EQ(w.load().settings.optionClickCarousel.size(), c.carousel);
        EXPECT_EQ(w.names().back(), blank);
    }
    EXPECT_EQ(w.load().settings.optionClickCarousel, (Names{"Home", "Keep", "Scratch", "T1"}));

    // Colours: while the palette has unused entries, every new desktop takes one of them.
    World fresh;
    fresh.desktops({});
    std::set<std::string> colours{fresh.desktop("Home").colorHex, fresh.desktop(blank).colorHex};
    for (int i = 0; i < 6 && colours.size() < 8; ++i) {
        const std::size_t before = colours.size();
        ASSERT_TRUE(fresh.model.desktops.create(named("D" + std::to_string(i))));
        colours.insert(fresh.desktop("D" + std::to_string(i)).colorHex);
        EXPECT_EQ(colours.size(), before + 1);
    }
}

TEST(SettingsDesktops, AFolderInTheWayStopsCreationBeforeTheDocument) {
    World w;
    w.desktops({});
    w.put(w.folder("New"), "a file, not a folder");
    const std::string before = test::readFile(w.paths.config);
    EXPECT_FALSE(w.model.desktops.create(named("New")));
    EXPECT_EQ(w.error(), "Couldn't create the desktop folder: Not a directory");
    EXPECT_EQ(test::readFile(w.paths.config), before);
}

TEST(SettingsDesktops, AdoptingFoldersOfTheStore) {
    World w;
    w.desktops({Workspace::make("Work"), World::archived("Old")});
    for (const char* folder : {"Found", "Also found", "_private", ".hidden", "archive", "Archive"})
        fs::create_directories(w.folder(folder));
    w.put(w.folder("Found") / "kept.txt");
    fs::create_directories(w.home / "Elsewhere");
    fs::create_directory_symlink(w.home / "Elsewhere", w.folder("Linked"));
    w.elsewhere([&](Config& c) { c.settings.archiveRoot = (w.folder("My Archive")).string(); });
    fs::create_directories(w.folder("My Archive"));
    w.model.reload();

    EXPECT_EQ(w.model.desktops.unlistedFolders(), (Names{"Also found", "Found"}));

    ASSERT_TRUE(w.model.desktops.adoptFolder("Found"));
    const Workspace found = w.desktop("Found");
    EXPECT_EQ(found.type, WorkspaceType::permanent);
    EXPECT_FALSE(found.createsCleanupTask);
    EXPECT_EQ(found.hotkey, std::nullopt);
    EXPECT_NE(std::find(DesktopPalette::colors.begin(), DesktopPalette::colors.end(), found.colorHex),
              DesktopPalette::colors.end());
    EXPECT_EQ(w.names(), (Names{"Home", "Work", "Old", "Found", blank}));
    EXPECT_TRUE(fs::exists(w.folder("Found") / "kept.txt"));
    EXPECT_EQ(w.model.desktops.unlistedFolders(), Names{"Also found"});

    struct Case {
        std::string name;
        std::string message;
    } refusals[] = {
        {"Found", ""}, // already a desktop: nothing
        {"Linked", "\u201cLinked\u201d isn't in your desktops folder any more."},
        {"My Archive", "\u201cMy Archive\u201d isn't in your desktops folder any more."},
        {"Archive", "~"}, // the naming rules
    };
    const std::string before = test::readFile(w.paths.config);
    for (const auto& r : refusals) {
        w.model.state.clearErrorMessage();
        EXPECT_FALSE(w.model.desktops.adoptFolder(r.name)) << r.name;
        test::expectText(w.error(), r.message);
    }
    EXPECT_EQ(test::readFile(w.paths.config), before);
}
