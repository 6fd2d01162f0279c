#include "session/StoreStartup.h"

#include "model/ConfigCodec.h"
#include "support/World.h"

#include <gtest/gtest.h>

using namespace tessarin;
using test::World;
using Names = std::set<std::string>;
namespace fs = std::filesystem;

namespace {

const std::string blank(Config::blankWorkspaceName);

struct StartupWorld : World {
    StoreStartup startup{paths, store, surface, log, clock};
    StartupWorld() { clock.set(Date{800000000}); }
};

} // namespace

TEST(StoreStartup, FirstStartAdoptsTheDesktopAsDefaultWithoutMovingAnything) {
    StartupWorld w;
    fs::remove_all(w.paths.root);
    w.item(w.paths.desktop, "notes.txt");
    fs::create_directories(w.paths.desktop / "Projects");

    w.startup.bootstrapIfNeeded();
    const Config c = w.store.loadConfig();
    EXPECT_EQ(c.activeWorkspace, "Default");
    ASSERT_EQ(w.names(), (std::vector<std::string>{"Default", blank}));
    EXPECT_EQ(Names(c.workspaces[0].files.begin(), c.workspaces[0].files.end()),
              (Names{"Projects", "notes.txt"}));
    EXPECT_TRUE(c.workspaces[1].files.empty());
    EXPECT_EQ(w.desktop(), (Names{"Projects", "notes.txt"}));
    EXPECT_TRUE(fs::is_directory(w.folder("Default")));
    EXPECT_TRUE(fs::is_directory(w.folder(blank)));
    EXPECT_EQ(test::readFile(w.paths.root / ".hidden"), blank + "\n");

    // A second start changes nothing and does not list the blank folder twice.
    const std::string before = test::readFile(w.paths.config);
    w.startup.bootstrapIfNeeded();
    EXPECT_EQ(test::readFile(w.paths.config), before);
    EXPECT_EQ(test::readFile(w.paths.root / ".hidden"), blank + "\n");
}

TEST(StoreStartup, OldBlankNameIsMigratedWithItsFolderAndReferences) {
    StartupWorld w;
    Config c = makeDefaultConfig();
    c.activeWorkspace = "_blank";
    c.lastExpandedWorkspace = "_blank";
    c.workspaces = {Workspace::make("Work"), Workspace::make("_blank")};
    w.store.saveConfig(c);
    w.item(w.folder("_blank"), "left behind");
    test::writeFile(w.paths.root / ".hidden", "Something else");

    w.startup.bootstrapIfNeeded();
    const Config after = w.store.loadConfig();
    EXPECT_EQ(after.activeWorkspace, blank);
    EXPECT_EQ(after.lastExpandedWorkspace, blank);
    EXPECT_EQ(w.names(), (std::vector<std::string>{"Work", blank}));
    EXPECT_EQ(w.in(blank), Names{"left behind"});
    EXPECT_FALSE(fs::exists(w.folder("_blank")));
    EXPECT_EQ(test::readFile(w.paths.root / ".hidden"), "Something else\n" + blank + "\n");
}

TEST(StoreStartup, FoldersOnlyForLiveDesktopsAndPlainNames) {
    StartupWorld w;
    Config c = makeDefaultConfig();
    c.activeWorkspace = "Work";
    Workspace archived = Workspace::make("Old");
    archived.state = WorkspaceState::archivedUnsorted;
    c.workspaces = {Workspace::make("Work"), archived, Workspace::make("../escape"), Workspace::make(blank)};
    w.store.saveConfig(c);
    w.startup.bootstrapIfNeeded();
    EXPECT_TRUE(fs::is_directory(w.folder("Work")));
    EXPECT_FALSE(fs::exists(w.folder("Old")));
    EXPECT_FALSE(fs::exists(w.home / "escape"));
    EXPECT_FALSE(fs::exists(w.paths.root.parent_path() / "escape"));
}

TEST(StoreStartup, RecoveryLogsItsTwoLinesAndVisitIsStamped) {
    StartupWorld w;
    w.document("A", {"A", "B"});
    w.item(w.folder("B"), "b1");
    w.store.saveJournal(Journal{"A", "B", {}, {"b1"}});
    w.startup.recover(w.swapper);
    const auto entries = w.log.recent(10);
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].message, "crash-recovery journal found — finishing the interrupted swap");
    EXPECT_EQ(entries[0].level, LogLevel::error);
    EXPECT_EQ(entries[1].message, "crash recovery complete");
    EXPECT_EQ(w.desktop(), Names{"b1"});

    w.startup.stampActiveVisited();
    EXPECT_EQ(w.store.loadConfig().findWorkspace("B")->lastActiveAt, Date{800000000});
    w.startup.recover(w.swapper); // no journal: no lines
    EXPECT_EQ(w.log.recent(10).size(), 2u);
}

TEST(StoreStartup, DesktopLocationsThatMustNotBeSwapped) {
    test::TempDir tmp;
    const fs::path home = tmp / "home";
    fs::create_directories(home / "Desktop");
    struct Case {
        fs::path desktop;
        const char* refusal; // nullptr: accepted
    } cases[] = {
        {home / "Desktop", nullptr},
        {home, "is your home folder"},
        {home / "Tessarin Desktops/Work", "lies inside Tessarin's store"},
        {home / "Tessarin Desktops", "lies inside Tessarin's store"},
        {tmp.path(), "contains Tessarin's store"},
        {home / "Desktop/../", "is your home folder"},
    };
    for (const auto& c : cases) {
        const Paths p = Paths::make(home, c.desktop);
        if (!c.refusal) {
            EXPECT_NO_THROW(checkDesktopLocation(p)) << c.desktop;
            continue;
        }
        try {
            checkDesktopLocation(p);
            ADD_FAILURE() << c.desktop << " accepted";
        } catch (const StartupError& e) {
            EXPECT_NE(std::string(e.what()).find(c.refusal), std::string::npos) << e.what();
        }
    }
    // Through a symbolic link too.
    fs::create_directory_symlink(home, tmp / "link-to-home");
    EXPECT_THROW(checkDesktopLocation(Paths::make(home, tmp / "link-to-home")), StartupError);
}

TEST(StoreStartup, NewerDocumentIsDetected) {
    StartupWorld w;
    test::writeFile(w.paths.config, R"({"schemaVersion":2,"activeWorkspace":"A"})");
    EXPECT_TRUE(w.startup.documentIsNewer());
    test::writeFile(w.paths.config, R"({"activeWorkspace":"A"})");
    EXPECT_FALSE(w.startup.documentIsNewer());
}

TEST(StoreStartup, ArchiveCutShortBetweenMoveAndSaveIsCompletedOrForgotten) {
    const Date archivedAt{818000000}; // recorded before the move, days before this start
    struct Case {
        std::string what;
        std::string name;
        bool folderMoved;
        bool outsideTheArchive; // the recorded location is not one of the archive's folders
        bool expectArchived;
    } cases[] = {
        {"moved", "Trip", true, false, true},
        {"not moved yet", "Trip", false, false, false},
        {"moved to a folder outside the archive", "Trip", true, true, false},
        {"the screenshots desktop, moved", "Screenshots", true, false, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        StartupWorld w;
        Config doc = makeDefaultConfig();
        doc.activeWorkspace = "Work";
        doc.settings.filterScreenshots = true;
        doc.settings.screenshotsWorkspace = "Screenshots";
        Workspace temp = Workspace::make(c.name, WorkspaceType::temporary);
        const fs::path location =
            (c.outsideTheArchive ? w.home.path() : w.paths.defaultArchiveRoot) / (c.name + "-2026-12-01");
        temp.archiveLocation = location.string(); // written before the move
        temp.archivedAt = archivedAt;
        doc.workspaces = {Workspace::make("Work"), temp, Workspace::make(blank)};
        w.store.saveConfig(doc);
        w.item(w.folder(c.name), "ticket.pdf");
        if (c.folderMoved) {
            fs::create_directories(location.parent_path());
            fs::rename(w.folder(c.name), location);
        }

        w.startup.bootstrapIfNeeded();
        const Config after = w.store.loadConfig();
        const std::string archivedName = c.name == "Screenshots" ? "Screenshots.archived" : c.name;
        const Workspace* archived = after.findWorkspace(archivedName);
        ASSERT_TRUE(archived);
        if (c.expectArchived) {
            EXPECT_EQ(archived->state, WorkspaceState::archivedUnsorted);
            EXPECT_EQ(archived->archiveLocation, location.string());
            EXPECT_EQ(archived->archivedAt, archivedAt) << "the archive keeps its own time";
            EXPECT_TRUE(fs::exists(location / "ticket.pdf"));
            EXPECT_EQ(after.cleanupTasks.size(), 1u);
            // Like any archive of the screenshots desktop, a fresh one takes its place.
            EXPECT_EQ(fs::exists(w.folder(c.name)), c.name == "Screenshots");
            if (c.name == "Screenshots") {
                EXPECT_EQ(after.findWorkspace("Screenshots")->state, WorkspaceState::active);
                EXPECT_EQ(after.settings.screenshotsWorkspace, "Screenshots");
            }
        } else {
            EXPECT_EQ(archived->state, WorkspaceState::active);
            EXPECT_FALSE(archived->archiveLocation.has_value());
            EXPECT_FALSE(archived->archivedAt.has_value());
            EXPECT_EQ(fs::exists(w.folder(c.name) / "ticket.pdf"), !c.folderMoved);
            if (c.folderMoved) {
                EXPECT_TRUE(fs::exists(location / "ticket.pdf")) << "a folder it doesn't trust stays put";
            }
        }
    }
}
