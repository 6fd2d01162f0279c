#include "organise/CleanupTasks.h"
#include "support/ArchiveWorld.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

namespace tessarin {
namespace {

using test::ArchiveWorld;
using test::berlin;
using Kind = ArchiveError::Kind;

using test::errorOf;

TEST(ArchiverTest, ArchiveRefusalsComeInTheirOrderAndChangeNothing) {
    struct Case {
        const char* what;
        WorkspaceType type;
        WorkspaceState state;
        bool onDesktop;
        Kind kind;
        std::string text;
    } cases[] = {
        {"permanent", WorkspaceType::permanent, WorkspaceState::active, false, Kind::notTemporary,
         "Only temporary desktops can be archived. Set \u201cNotes\u201d to Temporary first."},
        {"permanent and on the Desktop: the type is tested first", WorkspaceType::permanent,
         WorkspaceState::active, true, Kind::notTemporary,
         "Only temporary desktops can be archived. Set \u201cNotes\u201d to Temporary first."},
        {"permanent and archived", WorkspaceType::permanent, WorkspaceState::archivedSorted, false,
         Kind::notTemporary,
         "Only temporary desktops can be archived. Set \u201cNotes\u201d to Temporary first."},
        {"already archived", WorkspaceType::temporary, WorkspaceState::archivedUnsorted, false,
         Kind::alreadyArchived, "\u201cNotes\u201d is already archived."},
        {"on the Desktop", WorkspaceType::temporary, WorkspaceState::active, true, Kind::isActiveDesktop,
         "\u201cNotes\u201d is the active desktop. Switch to another first, then archive it."},
    };
    for (const auto& c : cases) {
        ArchiveWorld world;
        Workspace notes = Workspace::make("Notes", c.type);
        notes.state = c.state;
        Config doc = world.document({notes});
        if (c.onDesktop) {
            doc.activeWorkspace = "Notes";
            world.store.saveConfig(doc);
        }
        world.put(world.folder("Notes") / "a.txt");
        const auto before = test::treeSnapshot(world.home.path());

        const auto error = errorOf([&] { world.archiver.archive("Notes"); });
        ASSERT_TRUE(error) << c.what;
        EXPECT_EQ(error->kind(), c.kind) << c.what;
        EXPECT_EQ(error->what(), c.text) << c.what;
        EXPECT_EQ(test::treeSnapshot(world.home.path()), before) << c.what;
    }
}

TEST(ArchiverTest, ArchiveMovesTheFolderUnderADatedUniqueName) {
    struct Case {
        const char* what;
        std::vector<std::string> alreadyInArchive;
        bool folderExists;
        std::string expected;
    } cases[] = {
        {"first of the day", {}, true, "Notes-2026-03-01"},
        {"an earlier Notes archived that day", {"Notes-2026-03-01"}, true, "Notes-2026-03-01-2"},
        {"two earlier ones", {"Notes-2026-03-01", "Notes-2026-03-01-2"}, true, "Notes-2026-03-01-3"},
        {"folder missing: an empty one is made", {}, false, "Notes-2026-03-01"},
    };
    for (const auto& c : cases) {
        ArchiveWorld world;
        // 00:30 on 1 March in Berlin is still 28 February in UTC: the name follows the local day.
        world.clock.set(berlin(2026, 3, 1, 0, 30, false));
        Workspace notes = ArchiveWorld::temporary("Notes");
        notes.hotkey = HotKeySpec{};
        world.document({notes});
        if (c.folderExists)
            world.put(world.folder("Notes") / "draft.txt", "draft");
        for (const auto& name : c.alreadyInArchive)
            world.put(world.archive() / name / "old.txt", "old");

        world.archiver.archive("Notes");

        const auto destination = world.archive() / c.expected;
        EXPECT_FALSE(std::filesystem::exists(world.folder("Notes"))) << c.what;
        EXPECT_TRUE(std::filesystem::is_directory(destination)) << c.what;
        EXPECT_EQ(ArchiveWorld::listing(destination),
                  c.folderExists ? std::set<std::string>{"draft.txt"} : std::set<std::string>{})
            << c.what;
        for (const auto& name : c.alreadyInArchive)
            EXPECT_EQ(test::readFile(world.archive() / name / "old.txt"), "old") << c.what;

        const Workspace archived = world.desktop("Notes");
        EXPECT_EQ(archived.state, WorkspaceState::archivedUnsorted) << c.what;
        EXPECT_EQ(archived.archivedAt, world.clock.now()) << c.what;
        EXPECT_EQ(archived.archiveLocation, destination.string()) << c.what;
        EXPECT_FALSE(archived.hotkey) << c.what << ": an archived desktop gives up its shortcut";
        ASSERT_EQ(world.sink->messages.size(), 1u) << c.what;
        EXPECT_EQ(world.sink->messages[0], "archived Notes \u2192 " + destination.string()) << c.what;
    }
}

TEST(ArchiverTest, ArchivingAddsACleanupTaskForTheStartOfTomorrowOnce) {
    struct Case {
        const char* what;
        Date now;
        bool createsTask;
        Date expected;
    } cases[] = {
        {"ordinary day", berlin(2026, 3, 1, 10, 0, false), true, berlin(2026, 3, 2, 0, 0, false)},
        {"the night before the spring change", berlin(2026, 3, 28, 23, 30, false), true,
         berlin(2026, 3, 29, 0, 0, false)},
        {"the day of the spring change: tomorrow starts in summer time", berlin(2026, 3, 29, 22, 0, true),
         true, berlin(2026, 3, 30, 0, 0, true)},
        {"desktop that doesn't create tasks", berlin(2026, 3, 1, 10, 0, false), false, {}},
    };
    for (const auto& c : cases) {
        ArchiveWorld world;
        world.clock.set(c.now);
        Workspace notes = ArchiveWorld::temporary("Notes");
        notes.createsCleanupTask = c.createsTask;
        world.document({notes});
        world.archiver.archive("Notes");
        const Config doc = world.load();
        if (!c.createsTask) {
            EXPECT_TRUE(doc.cleanupTasks.empty()) << c.what;
            continue;
        }
        ASSERT_EQ(doc.cleanupTasks.size(), 1u) << c.what;
        EXPECT_EQ(doc.cleanupTasks[0].members, std::vector<std::string>{"Notes"}) << c.what;
        EXPECT_EQ(doc.cleanupTasks[0].date, c.expected) << c.what;
    }

    // Archived again after a restore two days later: the old task stays and no second one appears.
    ArchiveWorld world;
    world.document({ArchiveWorld::temporary("Notes")});
    world.archiver.archive("Notes");
    world.archiver.restore("Notes");
    world.clock.advance(2 * 86400);
    world.archiver.archive("Notes");
    const Config doc = world.load();
    ASSERT_EQ(doc.cleanupTasks.size(), 1u);
    EXPECT_EQ(doc.cleanupTasks[0].date, berlin(2026, 3, 2, 0, 0, false));
    EXPECT_TRUE(std::filesystem::is_directory(world.archive() / "Notes-2026-03-03"));
}

TEST(ArchiverTest, ArchiveFolderFailures) {
    struct Case {
        const char* what;
        std::function<void(ArchiveWorld&)> setUp;
        std::string text;
        bool startsWith;
    } cases[] = {
        {"archive folder can't be made: a file is in the way",
         [](ArchiveWorld& w) { w.put(w.archive(), "a file"); }, "Couldn't create the archive folder: ", true},
        {"move fails", [](ArchiveWorld& w) { w.files.moveFault = [](auto&, auto&) { return EIO; }; },
         "Couldn't move the folder: " + std::system_category().message(EIO), false},
        {"archive folder on another file system (/proc)",
         [](ArchiveWorld& w) {
             Config doc = w.load();
             doc.settings.archiveRoot = "/proc/self/fdinfo";
             w.store.saveConfig(doc);
         },
         "The archive folder is on a different disk. Choose one on the same disk as your workspaces "
         "(Settings \u25b8 Scheduler).",
         false},
    };
    for (const auto& c : cases) {
        ArchiveWorld world;
        world.document({ArchiveWorld::temporary("Notes")});
        world.put(world.folder("Notes") / "a.txt");
        c.setUp(world);
        const Config before = world.load();
        const auto error = errorOf([&] { world.archiver.archive("Notes"); });
        ASSERT_TRUE(error) << c.what;
        if (c.startsWith)
            EXPECT_TRUE(std::string(error->what()).starts_with(c.text)) << c.what << ": " << error->what();
        else
            EXPECT_EQ(error->what(), c.text) << c.what;
        EXPECT_EQ(world.load(), before) << c.what << ": the document is unchanged";
        EXPECT_TRUE(std::filesystem::exists(world.folder("Notes") / "a.txt")) << c.what;
    }
}

// Needs a folder on a second file system: /dev/shm is a tmpfs on most Linux machines.
TEST(ArchiverTest, AnArchiveFolderOnAnotherDiskIsRefused) {
    ArchiveWorld world;
    const auto storeDevice = world.files.volumeIdentifier(world.home.path());
    const auto shmDevice = world.files.volumeIdentifier("/dev/shm");
    if (!storeDevice || !shmDevice || *storeDevice == *shmDevice)
        GTEST_SKIP() << "/dev/shm is missing or on the same device as " << world.home.path()
                     << ", so there is no second file system to archive onto";
    test::TempDir elsewhere("/dev/shm");

    world.document({ArchiveWorld::temporary("Notes")});
    world.put(world.folder("Notes") / "a.txt");
    EXPECT_EQ(world.archiver.setArchiveRoot(elsewhere.path()), std::string(Archiver::otherDiskText));
    EXPECT_FALSE(world.load().settings.archiveRoot) << "the setting refuses the other disk";

    // A document that names it anyway (edited by hand, or a disk mounted later): archiving refuses after
    // making the folder, before anything moves.
    Config doc = world.load();
    doc.settings.archiveRoot = (elsewhere.path() / "Archives").string();
    world.store.saveConfig(doc);
    const auto error = errorOf([&] { world.archiver.archive("Notes"); });
    ASSERT_TRUE(error);
    EXPECT_EQ(error->kind(), Kind::crossVolume);
    EXPECT_TRUE(std::filesystem::is_directory(elsewhere.path() / "Archives"));
    EXPECT_TRUE(ArchiveWorld::listing(elsewhere.path() / "Archives").empty());
    EXPECT_TRUE(std::filesystem::exists(world.folder("Notes") / "a.txt"));
    EXPECT_EQ(world.load(), doc);
}

TEST(ArchiverTest, RestoreBringsTheFolderBackOrRecreatesIt) {
    struct Case {
        const char* what;
        std::function<void(ArchiveWorld&)> afterArchive;
        std::set<std::string> expectedItems;
    } cases[] = {
        {"archived folder in place", [](ArchiveWorld&) {}, {"draft.txt"}},
        {"archived folder deleted by hand",
         [](ArchiveWorld& w) { std::filesystem::remove_all(w.archive() / "Notes-2026-03-01"); },
         {}},
        {"no location recorded",
         [](ArchiveWorld& w) {
             Config doc = w.load();
             doc.findWorkspace("Notes")->archiveLocation.reset();
             w.store.saveConfig(doc);
         },
         {}},
    };
    for (const auto& c : cases) {
        ArchiveWorld world;
        Workspace notes = ArchiveWorld::temporary("Notes");
        notes.hotkey = HotKeySpec{};
        world.document({notes});
        world.put(world.folder("Notes") / "draft.txt");
        world.archiver.archive("Notes");
        c.afterArchive(world);
        world.clock.advance(3600);

        world.archiver.restore("Notes");

        EXPECT_EQ(ArchiveWorld::listing(world.folder("Notes")), c.expectedItems) << c.what;
        const Workspace restored = world.desktop("Notes");
        EXPECT_EQ(restored.state, WorkspaceState::active) << c.what;
        EXPECT_EQ(restored.type, WorkspaceType::temporary) << c.what;
        EXPECT_FALSE(restored.archivedAt) << c.what;
        EXPECT_FALSE(restored.archiveLocation) << c.what;
        EXPECT_EQ(restored.lastActiveAt, world.clock.now()) << c.what;
        EXPECT_FALSE(restored.hotkey) << c.what << ": the shortcut is not given back";
        EXPECT_EQ(world.load().cleanupTasks.size(), 1u) << c.what << ": cleanup tasks are not touched";
    }
}

TEST(ArchiverTest, RestoreRefusesWhenTheStoreHoldsAFolderOfThatName) {
    struct Case {
        const char* what;
        int moveError;
        std::string text;
    } cases[] = {
        {"folder in the way", 0,
         "A folder named \u201cNotes\u201d already exists in the workspace store \u2014 move it aside "
         "first."},
        {"move fails", EIO, "Couldn't move the folder back: " + std::system_category().message(EIO)},
    };
    for (const auto& c : cases) {
        ArchiveWorld world;
        world.document({ArchiveWorld::temporary("Notes")});
        world.archiver.archive("Notes");
        if (c.moveError)
            world.files.moveFault = [&](auto&, auto&) { return c.moveError; };
        else
            world.put(world.folder("Notes") / "new.txt");
        const auto before = test::treeSnapshot(world.home.path());
        const auto error = errorOf([&] { world.archiver.restore("Notes"); });
        ASSERT_TRUE(error) << c.what;
        EXPECT_EQ(error->kind(), Kind::filesystem) << c.what;
        EXPECT_EQ(error->what(), c.text) << c.what;
        EXPECT_EQ(test::treeSnapshot(world.home.path()), before) << c.what;
    }
}

TEST(ArchiverTest, AFailedSaveMovesTheFolderBack) {
    struct Case {
        const char* what;
        std::function<void(ArchiveWorld&)> setUp;
        std::function<void(ArchiveWorld&)> operation;
        std::string folder; // where the items must still be
    } cases[] = {
        {"archive", [](ArchiveWorld&) {}, [](ArchiveWorld& w) { w.archiver.archive("Notes"); }, "Notes"},
        {"restore", [](ArchiveWorld& w) { w.archiver.archive("Notes"); },
         [](ArchiveWorld& w) { w.archiver.restore("Notes"); }, "Archive/Notes-2026-03-01"},
        {"pour into a new pour folder", [](ArchiveWorld&) {},
         [](ArchiveWorld& w) { w.archiver.drain("Notes", "Home"); }, "Notes"},
    };
    for (const auto& c : cases) {
        ArchiveWorld world;
        world.document({ArchiveWorld::temporary("Notes")});
        world.put(world.folder("Notes") / "a.txt", "kept");
        c.setUp(world);
        const Config before = world.load();
        world.store.failSaves = true;
        try {
            c.operation(world);
            ADD_FAILURE() << c.what << ": the failed save is passed on";
        } catch (const std::system_error& e) {
            EXPECT_EQ(e.code().value(), ENOSPC) << c.what;
        }
        world.store.failSaves = false;
        EXPECT_EQ(world.load(), before) << c.what;
        EXPECT_EQ(test::readFile(world.paths.workspaces / c.folder / "a.txt"), "kept") << c.what;
    }
}

TEST(ArchiverTest, UnknownNamesAndLiveDesktopsAreNoOperations) {
    ArchiveWorld world;
    world.document({ArchiveWorld::temporary("Notes")});
    world.put(world.folder("Notes") / "a.txt");
    const auto before = test::treeSnapshot(world.home.path());
    world.archiver.archive("Nobody");
    world.archiver.restore("Nobody");
    world.archiver.restore("Notes");
    world.archiver.drain("Nobody", "Home");
    EXPECT_EQ(test::treeSnapshot(world.home.path()), before);
    EXPECT_TRUE(world.sink->messages.empty());
}

} // namespace
} // namespace tessarin
