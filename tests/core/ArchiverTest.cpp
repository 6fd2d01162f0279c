#include "organise/CleanupTasks.h"
#include "support/World.h"

#include <gtest/gtest.h>

namespace tessarin {
namespace {

using test::berlin;
using test::World;

TEST(ArchiverTest, ArchiveMovesTheFolderUnderADatedUniqueName) {
    struct Case {
        const char* what;
        std::vector<std::string> alreadyInArchive;
        bool folderExists;
        std::string expected;
    } cases[] = {
        {"first of the day", {}, true, "Notes-2026-03-01"},
        {"two earlier ones that day", {"Notes-2026-03-01", "Notes-2026-03-01-2"}, true, "Notes-2026-03-01-3"},
        {"folder missing: an empty one is made", {}, false, "Notes-2026-03-01"},
    };
    for (const auto& c : cases) {
        World world;
        // 00:30 on 1 March in Berlin is still 28 February in UTC: the name follows the local day.
        world.clock.set(berlin(2026, 3, 1, 0, 30, false));
        Workspace notes = World::temporary("Notes");
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
        EXPECT_EQ(World::listing(destination),
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
        {"desktop that doesn't create tasks", berlin(2026, 3, 1, 10, 0, false), false, {}},
    };
    for (const auto& c : cases) {
        World world;
        world.clock.set(c.now);
        Workspace notes = World::temporary("Notes");
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
}

TEST(ArchiverTest, RestoreBringsTheFolderBackOrRecreatesIt) {
    struct Case {
        const char* what;
        std::function<void(World&)> afterArchive;
        std::set<std::string> expectedItems;
    } cases[] = {
        {"archived folder in place", [](World&) {}, {"draft.txt"}},
        {"archived folder deleted by hand",
         [](World& w) { std::filesystem::remove_all(w.archive() / "Notes-2026-03-01"); },
         {}},
        {"no location recorded",
         [](World& w) { w.elsewhere([](Config& d) { d.findWorkspace("Notes")->archiveLocation.reset(); }); },
         {}},
    };
    for (const auto& c : cases) {
        World world;
        Workspace notes = World::temporary("Notes");
        notes.hotkey = HotKeySpec{};
        world.document({notes});
        world.put(world.folder("Notes") / "draft.txt");
        world.archiver.archive("Notes");
        c.afterArchive(world);
        world.clock.advance(3600);

        world.archiver.restore("Notes");

        EXPECT_EQ(World::listing(world.folder("Notes")), c.expectedItems) << c.what;
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

TEST(ArchiverTest, AFailedSaveMovesTheFolderBack) {
    struct Case {
        const char* what;
        std::function<void(World&)> setUp;
        std::function<void(World&)> operation;
        std::string folder; // where the items must still be
    } cases[] = {
        {"archive", [](World&) {}, [](World& w) { w.archiver.archive("Notes"); }, "Notes"},
        {"restore", [](World& w) { w.archiver.archive("Notes"); },
         [](World& w) { w.archiver.restore("Notes"); }, "Archive/Notes-2026-03-01"},
        {"pour into a new pour folder", [](World&) {}, [](World& w) { w.archiver.drain("Notes", "Home"); },
         "Notes"},
    };
    for (const auto& c : cases) {
        World world;
        world.document({World::temporary("Notes")});
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
    World world;
    world.document({World::temporary("Notes")});
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
