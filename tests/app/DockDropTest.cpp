#include "dock/DockDrop.h"

#include "support/FaultySurface.h"
#include "support/SwapWorld.h"

#include <gtest/gtest.h>

using namespace tessarin;
using tessarin::test::FaultySurface;
using tessarin::test::SwapWorld;

TEST(DockDrop, MovesOnlyUnpinnedItemsOfTheDesktopIntoTheTile) {
    struct Case {
        const char* what;
        std::string target;
        std::vector<std::string> dropped; // relative to the home folder
        int failingMove = 0;              // the k-th move fails (0: none)
        std::vector<std::string> moved;
    };
    const std::vector<Case> cases = {
        {"two Desktop files", "Work", {"Desktop/a.txt", "Desktop/b.txt"}, 0, {"a.txt", "b.txt"}},
        {"onto the active desktop's tile: nothing", "Home", {"Desktop/a.txt"}, 0, {}},
        {"onto an unknown desktop: nothing", "Nowhere", {"Desktop/a.txt"}, 0, {}},
        {"from a subfolder of the Desktop or from elsewhere: ignored",
         "Work",
         {"Desktop/folder/inner.txt", "elsewhere.txt", "Desktop/a.txt"},
         0,
         {"a.txt"}},
        {"a pinned item stays", "Work", {"Desktop/Pinned", "Desktop/b.txt"}, 0, {"b.txt"}},
        {"one of two cannot move: the other does", "Work", {"Desktop/a.txt", "Desktop/b.txt"}, 1, {"b.txt"}},
        {"a folder dropped with a trailing slash", "Work", {"Desktop/folder/"}, 0, {"folder"}},
    };
    for (const auto& c : cases) {
        SwapWorld w;
        w.document("Home", {"Home", "Work"}, {"Pinned"});
        for (const auto* n : {"a.txt", "b.txt", "folder/inner.txt"})
            w.put(w.paths.desktop, n);
        std::filesystem::create_directories(w.paths.desktop / "Pinned");
        w.put(w.home.path(), "elsewhere.txt");
        mutateConfig(w.store, [](Config& d) {
            d.updateWorkspace("Home", [](Workspace& h) { h.files = {"a.txt", "b.txt", "folder", "Pinned"}; });
            d.updateWorkspace("Work",
                              [](Workspace& h) { h.files = {"b.txt"}; }); // a stale entry stays single
        });
        FaultySurface surface(w.surface);
        if (c.failingMove)
            surface.failMove(c.failingMove, EACCES);
        std::vector<std::filesystem::path> dropped;
        for (const auto& d : c.dropped)
            dropped.push_back(w.home.path() / d);

        const auto moved = dropOntoDesktop(dropped, c.target, w.paths, w.store, surface);
        EXPECT_EQ(moved, c.moved) << c.what;
        const Config after = w.store.loadConfig();
        for (const auto& name : c.moved) {
            EXPECT_TRUE(std::filesystem::exists(w.folder(c.target) / name)) << c.what << " " << name;
            EXPECT_FALSE(std::filesystem::exists(w.paths.desktop / name)) << c.what << " " << name;
            const auto& files = after.findWorkspace(c.target)->files;
            EXPECT_EQ(std::count(files.begin(), files.end(), name), 1) << c.what << " " << name;
            const auto& active = after.findWorkspace("Home")->files;
            EXPECT_EQ(std::count(active.begin(), active.end(), name), 0) << c.what << " " << name;
        }
        EXPECT_TRUE(std::filesystem::exists(w.paths.desktop / "Pinned")) << c.what;
        EXPECT_TRUE(std::filesystem::exists(w.home.path() / "elsewhere.txt")) << c.what;
    }
}
