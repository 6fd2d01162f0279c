#include "session/Uninstaller.h"

#include "support/World.h"

#include <gtest/gtest.h>

namespace tessarin {
namespace {

namespace fs = std::filesystem;
using Tree = std::map<std::string, std::string>;

struct Case {
    std::string name;
    std::vector<std::pair<std::string, WorkspaceState>> desktops; // in document order
    Tree before;                                                  // under the home folder
    Tree desktopAfter;                                            // the Desktop afterwards
    std::vector<std::string> restored;                            // "desktop → folder"
    std::vector<std::string> leftInStore;                         // folders still in the store
};

TEST(Uninstaller, PutsEveryLiveDesktopBackWithoutReplacingAnything) {
    const std::string store = "Tessarin Desktops/";
    const std::vector<Case> cases = {
        {"a name already on the Desktop gets the next number",
         {{"Work", WorkspaceState::active}},
         {{"Desktop/Work", "<dir>"},
          {"Desktop/Work/mine.txt", "user's own"},
          {store + "Work/plan.txt", "plan"}},
         {{"Work", "<dir>"},
          {"Work/mine.txt", "user's own"},
          {"Work 2", "<dir>"},
          {"Work 2/plan.txt", "plan"}},
         {"Work → Work 2"},
         {}},
        {"a folder with only hidden files stays in the store",
         {{"Work", WorkspaceState::active}},
         {{store + "Work/.layout", "x"}},
         {},
         {},
         {"Work"}},
        {"an archived desktop is not moved",
         {{"Work", WorkspaceState::active}, {"Trip", WorkspaceState::archivedUnsorted}},
         {{store + "Work/a.txt", "a"}, {store + "Archive/Trip 2026-12-01/t.txt", "t"}},
         {{"Work", "<dir>"}, {"Work/a.txt", "a"}},
         {"Work → Work"},
         {"Archive"}},
        {"pinned items come back loose under free names",
         {{"_Hidden Desktop", WorkspaceState::active}},
         {{"Desktop/Notes.txt", "stranger"},
          {store + ".pinned/Notes.txt", "pinned"},
          {store + ".pinned/Keys", "<dir>"}},
         {{"Notes.txt", "stranger"}, {"Notes.txt 2", "pinned"}, {"Keys", "<dir>"}},
         {},
         {}},
        {"the blank desktop comes back as “Hidden desktop”",
         {{"_Hidden Desktop", WorkspaceState::active}},
         {{store + "_Hidden Desktop/left.txt", "left"}},
         {{"Hidden desktop", "<dir>"}, {"Hidden desktop/left.txt", "left"}},
         {"_Hidden Desktop → Hidden desktop"},
         {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        test::World w;
        const Paths& paths = w.paths;
        test::makeTree(w.home.path(), c.before);
        Config config = makeDefaultConfig();
        for (const auto& [name, state] : c.desktops) {
            Workspace d = Workspace::make(name);
            d.state = state;
            config.workspaces.push_back(d);
        }
        w.store.saveConfig(config);
        const std::string documentBefore = test::readFile(paths.config);
        std::vector<std::string> restored;
        for (const auto& r : Uninstaller(paths, w.store, w.log).restoreDesksToDesktop())
            restored.push_back(r.desktop + " → " + r.folderName);

        EXPECT_EQ(restored, c.restored);
        EXPECT_EQ(test::treeSnapshot(paths.desktop), c.desktopAfter);
        std::vector<std::string> left;
        for (const auto& entry : fs::directory_iterator(paths.root))
            if (!entry.path().filename().string().starts_with("."))
                left.push_back(entry.path().filename().string());
        EXPECT_EQ(left, c.leftInStore);
        EXPECT_EQ(test::readFile(paths.config), documentBefore) << "the document is not changed";
    }
}

TEST(Uninstaller, QuestionNamesTheArchiveAndHowTheProgramGoes) {
    const Paths paths = Paths::make("/home/ann", "/home/ann/Desktop");
    Config config = makeDefaultConfig();
    config.workspaces.push_back(Workspace::make("Work"));
    const struct {
        bool archived;
        std::optional<std::string> archiveRoot;
        RemovalStep step;
        std::string informative;
    } cases[] = {
        {false, std::nullopt, RemovalStep::revealProgram,
         "Every desktop comes back to your Desktop as a normal folder. Tessarin is then removed from "
         "launch-at-startup and revealed so you can delete it."},
        {true, std::nullopt, RemovalStep::removePackage,
         "Every desktop comes back to your Desktop as a normal folder. Archived desktops stay where they are "
         "(/home/ann/Tessarin Desktops/Archive). Tessarin is then removed from launch-at-startup, and you "
         "remove "
         "its package to finish."},
        {true, "/data/old desks", RemovalStep::none,
         "Every desktop comes back to your Desktop as a normal folder. Archived desktops stay where they are "
         "(/data/old desks). Tessarin is then removed from launch-at-startup."},
    };
    for (const auto& c : cases) {
        Config document = config;
        if (c.archived) {
            Workspace trip = Workspace::make("Trip");
            trip.state = WorkspaceState::archivedSorted;
            document.workspaces.push_back(trip);
        }
        document.settings.archiveRoot = c.archiveRoot;
        const UninstallQuestion q = uninstallQuestion(document, paths, c.step);
        EXPECT_EQ(q.message, "Uninstall Tessarin?");
        EXPECT_EQ(q.informative, c.informative);
    }
}

} // namespace
} // namespace tessarin
