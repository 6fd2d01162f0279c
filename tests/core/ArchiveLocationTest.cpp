// The archive folder and each archived desktop's folder come from the document, which may have been
// edited by hand: only the archiver's own folders are ever moved back or put in the Trash, and the
// archive folder is never the Desktop or a folder of the store.
#include "support/World.h"

#include <gtest/gtest.h>

namespace tessarin {
namespace {

namespace fs = std::filesystem;
using test::World;

TEST(ArchiveLocation, OnlyTheArchiversOwnFoldersAreRestoredOrTrashed) {
    struct Case {
        std::string what;
        std::string name;                            // the archived desktop
        std::function<fs::path(const World&)> place; // its recorded location
        bool customRoot;                             // archiveRoot = <home>/Archives
        bool trusted;
    } cases[] = {
        {"in the archive folder, named after it", "Trip",
         [](const World& w) { return w.archive() / "Trip-2026-02-01"; }, false, true},
        {"a second archive of the same day", "Trip",
         [](const World& w) { return w.archive() / "Trip-2026-02-01-3"; }, false, true},
        {"in the chosen archive folder", "Trip",
         [](const World& w) { return w.home / "Archives/Trip-2026-02-01"; }, true, true},
        {"the renamed screenshots desktop", "Screenshots.archived 2",
         [](const World& w) { return w.archive() / "Screenshots-2026-02-01"; }, false, true},
        {"a folder of the user's", "Trip", [](const World& w) { return w.home / "Documents"; }, false, false},
        {"another desktop's archive", "Trip", [](const World& w) { return w.archive() / "Work-2026-02-01"; },
         false, false},
        {"no date stamp", "Trip", [](const World& w) { return w.archive() / "Trip"; }, false, false},
        {"a relative path", "Trip", [](const World&) { return fs::path("Archive/Trip-2026-02-01"); }, false,
         false},
        {"the default folder while another is chosen", "Trip",
         [](const World& w) { return w.archive() / "Trip-2026-02-01"; }, true, true},
    };
    for (const bool restoring : {false, true}) {
        for (const auto& c : cases) {
            SCOPED_TRACE(c.what + (restoring ? " (restore)" : " (delete)"));
            World world;
            const fs::path location = c.place(world);
            Workspace archived = World::temporary(c.name);
            archived.state = WorkspaceState::archivedUnsorted;
            archived.archiveLocation = location.string();
            Config doc = world.document({archived});
            if (c.customRoot)
                doc.settings.archiveRoot = (world.home / "Archives").string();
            world.store.saveConfig(doc);
            world.put((location.is_absolute() ? location : world.paths.workspaces / location) / "kept.txt",
                      "kept");
            const auto disk = test::treeSnapshot(world.home.path());
            const Config before = world.load();

            std::optional<std::string> refusal;
            if (restoring) {
                if (const auto error = test::errorOf([&] { world.archiver.restore(c.name); }))
                    refusal = error->what();
            } else {
                refusal = world.archiver.deleteArchived(c.name).errorMessage;
            }
            if (!c.trusted) {
                ASSERT_TRUE(refusal);
                EXPECT_NE(refusal->find("isn't one of Tessarin's archived folders"), std::string::npos)
                    << *refusal;
                EXPECT_EQ(test::treeSnapshot(world.home.path()), disk);
                EXPECT_EQ(world.load(), before);
                continue;
            }
            EXPECT_FALSE(refusal) << refusal.value_or("");
            EXPECT_FALSE(fs::exists(location));
            if (restoring) {
                EXPECT_EQ(test::readFile(world.folder(c.name) / "kept.txt"), "kept");
            } else {
                EXPECT_EQ(world.files.trashed, std::vector<fs::path>{location});
            }
        }
    }
}

TEST(ArchiveLocation, TheArchiveFolderIsNeverTheDesktopOrPartOfTheStore) {
    struct Case {
        std::string what;
        std::function<fs::path(const World&)> folder;
        std::string refusalPart; // empty: accepted
    } cases[] = {
        {"the Desktop", [](const World& w) { return w.paths.desktop; }, "your Desktop"},
        {"a desktop's folder", [](const World& w) { return w.folder("Home"); }, "desktops folder"},
        {"the default archive folder", [](const World& w) { return w.archive(); }, ""},
        {"a folder beside the store", [](const World& w) { return w.home / "Archives"; }, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        World world;
        world.document({World::temporary("Trip")});
        world.put(world.folder("Trip") / "ticket.pdf", "ticket");
        const fs::path folder = c.folder(world);
        fs::create_directories(folder);
        const Config before = world.load();

        const auto refusal = world.archiver.setArchiveRoot(folder);
        if (!c.refusalPart.empty()) {
            ASSERT_TRUE(refusal);
            EXPECT_NE(refusal->find(c.refusalPart), std::string::npos) << *refusal;
            EXPECT_EQ(world.load(), before);
            // Put there by hand, it refuses the archive before anything moves.
            world.elsewhere([&](Config& d) { d.settings.archiveRoot = folder.string(); });
            const auto error = test::errorOf([&] { world.archiver.archive("Trip"); });
            ASSERT_TRUE(error);
            EXPECT_NE(std::string(error->what()).find(c.refusalPart), std::string::npos) << error->what();
            EXPECT_EQ(test::readFile(world.folder("Trip") / "ticket.pdf"), "ticket");
            continue;
        }
        EXPECT_FALSE(refusal) << refusal.value_or("");
        world.archiver.archive("Trip");
        EXPECT_EQ(test::readFile(folder / "Trip-2026-03-01/ticket.pdf"), "ticket");
    }
}

} // namespace
} // namespace tessarin
