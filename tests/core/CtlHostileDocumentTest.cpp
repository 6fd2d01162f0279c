// Hand-edited or hostile documents through the real tessarinctl: every field that names a desktop is
// given a store folder, a path or an over-long name (recorded archive folders are the archiver's own). The
// command refuses, naming the record, and not one item of the Desktop or the store moves; status still works.
#include "support/World.h"

#include <functional>
#include <gtest/gtest.h>

namespace tessarin {
namespace {

namespace fs = std::filesystem;
using Tree = std::map<std::string, std::string>;

const std::string blank(Config::blankWorkspaceName);
const std::string longName(300, 'x');

struct Run {
    std::vector<std::string> args;
    int status;
    std::string errPart; // a part of stderr, naming the record
};

struct HostileCase {
    std::string what;
    std::function<void(Config&, const Paths&)> setUp;
    std::vector<Run> runs;
};

TEST(CtlHostileDocument, EveryFieldThatNamesAFolderRefusesWithoutMovingAnything) {
    const HostileCase cases[] = {
        {"switch target: the store's state folder",
         [](Config& c, const Paths&) { c.workspaces.push_back(Workspace::make(".store")); },
         {{{"switch", ".store"}, 1, "The desktop to switch to \u201c.store\u201d"}}},
        {"switch target: the archive folder",
         [](Config& c, const Paths& p) {
             c.workspaces.push_back(Workspace::make("Archive"));
             test::writeFile(p.defaultArchiveRoot / "Old-2026-01-01/kept.txt", "archived");
         },
         {{{"switch", "Archive"}, 1, "\u201cArchive\u201d can't be used as a desktop folder"}}},
        {"switch target: the pinned stash",
         [](Config& c, const Paths&) { c.workspaces.push_back(Workspace::make(".PINNED")); },
         {{{"switch", ".PINNED"}, 1, "one of the store's own folders"}}},
        {"a desktop name longer than a folder name can be",
         [](Config& c, const Paths&) { c.workspaces.push_back(Workspace::make(longName)); },
         {{{"status"}, 0, "config.json: workspaces[2].name"},
          {{"recover"}, 0, "longer than the 255 bytes"},
          {{"switch", longName}, 1, "longer than the 255 bytes"}}},
        {"active desktop: the store's state folder, a user's journal.json on the Desktop",
         [](Config& c, const Paths& p) {
             c.workspaces.push_back(Workspace::make(".store"));
             c.activeWorkspace = ".store";
             test::writeFile(p.desktop / "journal.json", "mine");
         },
         {{{"switch", "Work"}, 1, "The active desktop \u201c.store\u201d"}}},
        {"expand target: the store's state folder, items on the hidden Desktop",
         [](Config& c, const Paths& p) {
             c.workspaces.push_back(Workspace::make(".store"));
             c.workspaces.push_back(Workspace::make("Play"));
             c.activeWorkspace = blank;
             c.lastExpandedWorkspace = ".store";
             fs::create_directories(p.workspaces / "Work");
             fs::rename(p.desktop / "w1", p.workspaces / "Work" / "w1");
             test::writeFile(p.desktop / "journal.json", "mine");
         },
         {{{"switch", "Play"}, 1, "the items put on the hidden Desktop \u201c.store\u201d"},
          {{"show"}, 1, "The desktop to switch to \u201c.store\u201d"}}},
        {"rule and screenshots target: the archive folder",
         [](Config& c, const Paths& p) {
             c.workspaces.push_back(Workspace::make("Archive"));
             c.settings.customFiltersEnabled = true;
             CustomFilter rule;
             rule.pattern = "w";
             rule.collection = "Archive";
             c.settings.customFilters = {rule};
             c.settings.filterScreenshots = true;
             c.settings.screenshotFilenameFallback = true;
             c.settings.screenshotsWorkspace = "archive";
             c.workspaces.push_back(Workspace::make("archive"));
             test::writeFile(p.desktop / "Screenshot 1.png", "png");
         },
         {{{"sort-now"}, 0, "The desktop of the rule \u201cw\u201d \u201cArchive\u201d"},
          {{"sort-now"}, 0, "The screenshots desktop \u201carchive\u201d"}}},
        {"drain target: the store's state folder",
         [](Config& c, const Paths& p) {
             c.workspaces.push_back(Workspace::make(".store"));
             c.workspaces.push_back(Workspace::make("Trip", WorkspaceType::temporary));
             test::writeFile(p.workspaces / "Trip/ticket.pdf", "ticket");
         },
         {{{"pour", "Trip", ".store"}, 1, "The desktop to pour into \u201c.store\u201d"}}},
        {"journal: a switch into the store's state folder",
         [](Config&, const Paths& p) {
             test::writeFile(p.journal, R"({"fromWorkspace":"Work","toWorkspace":".store",)"
                                        R"("outgoing":["w1"],"incoming":["config.json","lock"]})");
         },
         {{{"recover"}, 1, "The desktop being entered in journal.json \u201c.store\u201d"},
          {{"switch", blank}, 1, "journal.json"},
          {{"status"}, 0, ""}}},
        {"delete: a desktop named like the store's state folder",
         [](Config& c, const Paths&) { c.workspaces.push_back(Workspace::make(".store")); },
         {{{"delete", ".store"}, 1, "The desktop to delete \u201c.store\u201d"}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        test::World w;
        const Paths& paths = w.paths;
        fs::create_directories(paths.workspaces / blank);
        test::writeFile(paths.workspaces / ".hidden", blank + "\n");
        test::writeFile(paths.desktop / "w1", "Work's");
        Config doc = w.document("Work", {"Work"});
        c.setUp(doc, paths);
        w.store.saveConfig(doc);
        for (const auto& d : doc.liveWorkspaces())
            if (d.name.size() < 256 && d.name != ".store" && d.name != ".PINNED")
                fs::create_directories(paths.workspaces / d.name);
        const Tree before = w.disk();
        const std::string journal = test::readFile(paths.journal);

        for (const auto& run : c.runs) {
            const auto out = w.ctl(run.args);
            EXPECT_EQ(out.status, run.status) << run.args.front() << ": " << out.err;
            EXPECT_NE(out.err.find(run.errPart), std::string::npos) << run.args.front() << ": " << out.err;
            EXPECT_EQ(out.err.find("filesystem error"), std::string::npos) << out.err;
            EXPECT_EQ(w.disk(), before) << run.args.front();
            EXPECT_EQ(test::readFile(paths.journal), journal);
            EXPECT_TRUE(fs::exists(paths.config));
        }
    }
}

} // namespace
} // namespace tessarin
