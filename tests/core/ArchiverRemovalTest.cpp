#include "organise/CleanupTasks.h"
#include "support/World.h"

#include <gtest/gtest.h>

namespace tessarin {
namespace {

using test::World;

TEST(ArchiverRemovalTest, DeletingALiveDesktop) {
    const std::string blank(Config::blankWorkspaceName);
    struct Case {
        const char* what;
        std::string name;
        int trashFault;
        bool removeFolderFirst;
        RemovalOutcome expected;
        bool removed;
    } cases[] = {
        {"an ordinary desktop", "Scratch", 0, false, {}, true},
        {"the blank desktop is never removed", blank, 0, false, {}, false},
        {"the Trash refuses",
         "Scratch",
         EACCES,
         false,
         {std::nullopt, DeleteFailure{"Scratch", false, std::system_category().message(EACCES)}},
         false},
        {"the folder is gone",
         "Scratch",
         0,
         true,
         {std::nullopt, DeleteFailure{"Scratch", true, std::system_category().message(ENOENT)}},
         false},
        {"an archived desktop is not a live one", "Old", 0, false, {}, false},
        {"a name no desktop has: the store's own folders stay", ".store", 0, false, {}, false},
    };
    for (const auto& c : cases) {
        World world;
        Workspace scratch = World::temporary("Scratch");
        Workspace routed = World::temporary("Routed");
        routed.drainTarget = "Scratch";
        routed.timerDrains = true;
        Config doc = world.document({scratch, World::archived("Old"), routed});
        addCleanupTask(doc, "Scratch", Date{100});
        addCleanupTask(doc, "Old", Date{100});
        world.store.saveConfig(doc);
        world.put(world.folder("Scratch") / "a.txt");
        world.put(world.folder(blank) / ".keep");
        if (c.removeFolderFirst)
            std::filesystem::remove_all(world.folder("Scratch"));
        world.files.trashFault = c.trashFault;
        const Config before = world.load();

        EXPECT_EQ(world.archiver.deleteWorkspace(c.name, false), c.expected) << c.what;

        const Config after = world.load();
        if (!c.removed) {
            EXPECT_EQ(after, before) << c.what;
            EXPECT_TRUE(world.files.trashed.empty()) << c.what;
            continue;
        }
        EXPECT_EQ(world.files.trashed, std::vector<std::filesystem::path>{world.folder(c.name)}) << c.what;
        EXPECT_FALSE(after.findWorkspace(c.name)) << c.what;
        EXPECT_FALSE(after.findWorkspace("Routed")->drainTarget) << c.what;
        EXPECT_FALSE(after.findWorkspace("Routed")->timerDrains) << c.what;
        ASSERT_EQ(after.cleanupTasks.size(), 1u) << c.what;
        EXPECT_EQ(after.cleanupTasks[0].members, std::vector<std::string>{"Old"}) << c.what;
    }
}

TEST(ArchiverRemovalTest, DeletingAnArchivedDesktop) {
    struct Case {
        const char* what;
        std::string name;
        int trashFault;
        bool withLocation;
        bool removed;
        bool trashedSomething;
    } cases[] = {
        {"its archived folder goes to the Trash", "Old", 0, true, true, true},
        {"without a location only the document changes", "Old", 0, false, true, false},
        {"the Trash refuses: nothing changes", "Old", EIO, true, false, false},
        {"a live desktop is not an archived one", "Scratch", 0, true, false, false},
        {"unknown", "Nobody", 0, true, false, false},
    };
    for (const auto& c : cases) {
        World world;
        world.document({World::temporary("Scratch"), World::temporary("Old")});
        world.put(world.folder("Old") / "a.txt");
        world.archiver.archive("Old");
        const auto location = *world.desktop("Old").archiveLocation;
        if (!c.withLocation)
            world.elsewhere([](Config& d) { d.findWorkspace("Old")->archiveLocation.reset(); });
        world.files.trashFault = c.trashFault;
        const Config before = world.load();

        const RemovalOutcome outcome = world.archiver.deleteArchived(c.name);

        EXPECT_EQ(outcome.succeeded(), c.trashFault == 0) << c.what;
        if (c.trashFault) {
            EXPECT_EQ(outcome.deleteFailure,
                      (DeleteFailure{"Old", false, std::system_category().message(c.trashFault)}))
                << c.what;
        }
        const Config after = world.load();
        if (c.removed) {
            EXPECT_FALSE(after.findWorkspace(c.name)) << c.what;
            EXPECT_TRUE(after.cleanupTasks.empty()) << c.what;
        } else {
            EXPECT_EQ(after, before) << c.what;
        }
        EXPECT_EQ(world.files.trashed.size(), c.trashedSomething ? 1u : 0u) << c.what;
        EXPECT_EQ(std::filesystem::exists(location), !c.trashedSomething) << c.what;
    }
}

TEST(ArchiverRemovalTest, ArchiveFolderSettingAndSortedMarks) {
    World world;
    world.document({World::temporary("Notes"), World::temporary("Live")});
    const auto chosen = world.home / "Elsewhere";
    std::filesystem::create_directories(chosen);

    EXPECT_EQ(world.archiver.setArchiveRoot(world.home / "Missing"), std::string(Archiver::otherDiskText))
        << "a folder whose disk can't be read is refused";
    EXPECT_EQ(world.archiver.setArchiveRoot(chosen), std::nullopt);
    EXPECT_EQ(world.load().settings.archiveRoot, chosen.string());
    world.archiver.archive("Notes");
    EXPECT_TRUE(std::filesystem::is_directory(chosen / "Notes-2026-03-01"));
    EXPECT_EQ(world.archiver.setArchiveRoot(std::nullopt), std::nullopt);
    EXPECT_FALSE(world.load().settings.archiveRoot);
    EXPECT_EQ(world.desktop("Notes").archiveLocation, (chosen / "Notes-2026-03-01").string())
        << "existing archives stay where they are";

    world.archiver.setArchivedSorted("Notes", true);
    world.archiver.setArchivedSorted("Live", true);
    EXPECT_EQ(world.desktop("Notes").state, WorkspaceState::archivedSorted);
    EXPECT_EQ(world.desktop("Live").state, WorkspaceState::active) << "a live desktop is left alone";
    world.archiver.setArchivedSorted("Notes", false);
    EXPECT_EQ(world.desktop("Notes").state, WorkspaceState::archivedUnsorted);
}

} // namespace
} // namespace tessarin
