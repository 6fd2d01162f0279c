#include "organise/CleanupTasks.h"
#include "support/World.h"

#include <gtest/gtest.h>

namespace tessarin {
namespace {

using test::World;
using Kind = ArchiveError::Kind;

using test::errorOf;

TEST(ArchiverDrainTest, PoursIntoANewOrAnExistingFolderInsideTheTarget) {
    struct Case {
        const char* what;
        std::map<std::string, std::string> source;   // relative path -> contents (missing: no folder)
        std::map<std::string, std::string> existing; // already in Home/Scratch
        std::map<std::string, std::string> expected; // Home/Scratch afterwards
    } cases[] = {
        {"no pour folder yet: the folder moves whole, hidden files too",
         {{"report.pdf", "new"}, {".tessarin-layout", "layout"}, {"sub/inner.txt", "inner"}},
         {},
         {{"report.pdf", "new"},
          {".tessarin-layout", "layout"},
          {"sub", "<dir>"},
          {"sub/inner.txt", "inner"}}},
        {"existing pour folder: merged without replacing anything, hidden entries and folders whole",
         {{"report.pdf", "new"},
          {"README", "new readme"},
          {".git/config", "repo"},
          {".env", "secret"},
          {"a", "a"}},
         {{"report.pdf", "old"},
          {"report 2.pdf", "older"},
          {"README", "old readme"},
          {".env", "older secret"},
          {".git", "<dir>"}},
         {{"report.pdf", "old"},
          {"report 2.pdf", "older"},
          {"report 3.pdf", "new"},
          {"README", "old readme"},
          {"README 2", "new readme"},
          {".env", "older secret"},
          {".env 2", "secret"},
          {".git", "<dir>"},
          {".git 2", "<dir>"},
          {".git 2/config", "repo"},
          {"a", "a"}}},
        {"source folder missing", {}, {}, {}},
    };
    for (const auto& c : cases) {
        World world;
        Workspace scratch = World::temporary("Scratch");
        Workspace routed = World::temporary("Routed");
        routed.drainTarget = "Scratch";
        routed.timerDrains = true;
        world.document({scratch, routed});
        if (!c.source.empty())
            test::makeTree(world.folder("Scratch"), c.source);
        if (!c.existing.empty())
            test::makeTree(world.folder("Home") / "Scratch", c.existing);
        world.elsewhere(
            [](Config& d) { addCleanupTask(d, "Scratch", test::berlin(2026, 3, 2, 0, 0, false)); });

        world.archiver.drain("Scratch", "Home");

        EXPECT_FALSE(std::filesystem::exists(world.folder("Scratch"))) << c.what;
        const auto pour = world.folder("Home") / "Scratch";
        if (c.expected.empty())
            EXPECT_FALSE(std::filesystem::exists(pour)) << c.what;
        else
            EXPECT_EQ(test::treeSnapshot(pour), c.expected) << c.what;
        const Config after = world.load();
        EXPECT_FALSE(after.findWorkspace("Scratch")) << c.what;
        const Workspace routedAfter = *after.findWorkspace("Routed");
        EXPECT_FALSE(routedAfter.drainTarget) << c.what;
        EXPECT_FALSE(routedAfter.timerDrains) << c.what;
        EXPECT_TRUE(after.cleanupTasks.empty()) << c.what << ": the task lost its only member";
        ASSERT_EQ(world.sink->messages.size(), 1u) << c.what;
        EXPECT_EQ(world.sink->messages[0], "drained Scratch \u2192 " + pour.string()) << c.what;
    }
}

TEST(ArchiverDrainTest, AnInterruptedMergeKeepsEverythingAndFinishesOnTheNextRun) {
    World world;
    world.document({World::temporary("Scratch")});
    test::makeTree(world.folder("Scratch"), {{"a.txt", "a"}, {"b.txt", "b"}, {"c.txt", "c"}});
    test::makeTree(world.folder("Home") / "Scratch", {{"a.txt", "old a"}});
    int moves = 0;
    world.files.moveFault = [&](auto&, auto&) { return ++moves == 2 ? ENOSPC : 0; };
    const Config before = world.load();

    const auto error = errorOf([&] { world.archiver.drain("Scratch", "Home"); });
    ASSERT_TRUE(error);
    EXPECT_EQ(error->kind(), Kind::filesystem);
    EXPECT_EQ(error->what(), "Couldn't pour \u201cScratch\u201d into \u201cHome\u201d: " +
                                 std::system_category().message(ENOSPC));
    EXPECT_EQ(world.load(), before) << "the document still has the desktop";
    const auto poured = World::listing(world.folder("Home") / "Scratch");
    const auto left = World::listing(world.folder("Scratch"));
    EXPECT_EQ(poured.size() + left.size(), 4u) << "every item is in one place or the other";

    world.files.moveFault = nullptr;
    world.archiver.drain("Scratch", "Home");
    EXPECT_FALSE(std::filesystem::exists(world.folder("Scratch")));
    std::set<std::string> contents;
    for (const auto& [path, text] : test::treeSnapshot(world.folder("Home") / "Scratch"))
        contents.insert(text);
    EXPECT_EQ(contents, (std::set<std::string>{"old a", "a", "b", "c"}));
    EXPECT_FALSE(world.load().findWorkspace("Scratch"));
}

TEST(ArchiverDrainTest, ArchivingTheScreenshotsDesktopPutsAFreshOneInItsPlace) {
    struct Case {
        const char* what;
        bool filtering;
        std::vector<std::string> taken;
        std::string archivedName; // empty: no rotation
    } cases[] = {
        {"filtering on", true, {}, "Screenshots.archived"},
        {"filtering on, earlier archives",
         true,
         {"Screenshots.archived", "Screenshots.archived 1"},
         "Screenshots.archived 2"},
        {"filtering off: the setting is cleared", false, {}, ""},
    };
    for (const auto& c : cases) {
        World world;
        std::vector<Workspace> desktops{World::temporary("Screenshots")};
        for (const auto& name : c.taken) {
            Workspace old = World::temporary(name);
            old.state = WorkspaceState::archivedSorted;
            desktops.push_back(old);
        }
        Config doc = world.document(desktops);
        doc.settings.filterScreenshots = c.filtering;
        doc.settings.screenshotsWorkspace = "Screenshots";
        doc.settings.customFilters = {test::rule("Screen", "Screenshots")};
        world.store.saveConfig(doc);
        world.put(world.folder("Screenshots") / "shot.png");

        world.archiver.archive("Screenshots");

        const Config after = world.load();
        const auto archivedFolder = world.archive() / "Screenshots-2026-03-01";
        EXPECT_EQ(World::listing(archivedFolder), std::set<std::string>{"shot.png"}) << c.what;
        if (c.archivedName.empty()) {
            EXPECT_FALSE(after.settings.screenshotsWorkspace) << c.what;
            EXPECT_EQ(after.findWorkspace("Screenshots")->state, WorkspaceState::archivedUnsorted) << c.what;
            EXPECT_EQ(after.settings.customFilters[0].collection, "Screenshots") << c.what;
            continue;
        }
        const Workspace* archived = after.findWorkspace(c.archivedName);
        ASSERT_TRUE(archived) << c.what;
        EXPECT_EQ(archived->state, WorkspaceState::archivedUnsorted) << c.what;
        EXPECT_EQ(archived->archiveLocation, archivedFolder.string()) << c.what;
        const Workspace* fresh = after.findWorkspace("Screenshots");
        ASSERT_TRUE(fresh) << c.what;
        EXPECT_EQ(fresh->type, WorkspaceType::permanent) << c.what;
        EXPECT_EQ(fresh->state, WorkspaceState::active) << c.what;
        EXPECT_EQ(fresh->createdAt, world.clock.now()) << c.what;
        EXPECT_TRUE(fresh->createsCleanupTask) << c.what;
        EXPECT_EQ(after.workspaces.back().name, Config::blankWorkspaceName) << c.what;
        EXPECT_EQ(after.workspaces[after.workspaces.size() - 2].name, "Screenshots") << c.what;
        EXPECT_TRUE(std::filesystem::is_directory(world.folder("Screenshots"))) << c.what;
        EXPECT_TRUE(World::listing(world.folder("Screenshots")).empty()) << c.what;
        EXPECT_EQ(after.settings.screenshotsWorkspace, "Screenshots") << c.what;
        EXPECT_EQ(after.settings.customFilters[0].collection, c.archivedName) << c.what;
        ASSERT_EQ(after.cleanupTasks.size(), 1u) << c.what;
        EXPECT_EQ(after.cleanupTasks[0].members, std::vector<std::string>{c.archivedName}) << c.what;
    }
}

} // namespace
} // namespace tessarin
