// tessarinctl archive, restore, pour, delete, tick, cleanups and diagnostics in a throwaway home.
#include "model/ConfigCodec.h"
#include "store/FileStateStore.h"
#include "store/Paths.h"
#include "store/StateStore.h"
#include "support/Calendar.h"
#include "support/Files.h"
#include "support/Log.h"
#include "support/RunProcess.h"
#include "support/ScopedEnv.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace tessarin {
namespace {

namespace fs = std::filesystem;

struct CtlWorld {
    test::ScopedEnv zone{"TZ", "Europe/Berlin"};
    test::TempDir home;
    Paths paths = Paths::make(home.path(), home.path() / "Desktop");
    FileStateStore store{paths.config, paths.journal};
    std::map<std::string, std::string> env{{"HOME", home.path().string()},
                                           {"XDG_CONFIG_HOME", (home / ".config").string()},
                                           {"XDG_DATA_HOME", (home / ".local/share").string()},
                                           {"TZ", "Europe/Berlin"}};

    test::Output ctl(const std::vector<std::string>& args) {
        std::vector<std::string> argv{TESSARIN_CTL};
        argv.insert(argv.end(), args.begin(), args.end());
        return test::run(argv, env);
    }
    fs::path folder(const std::string& name) const { return paths.workspaces / name; }
    fs::path trashFiles() const { return home / ".local/share/Trash/files"; }
};

Workspace temporary(const std::string& name, std::optional<int64_t> timerDays = std::nullopt) {
    Workspace w = Workspace::make(name, WorkspaceType::temporary);
    w.createdAt = Date::fromTimePoint(std::chrono::system_clock::now()).addingSeconds(-7 * 86400);
    if (timerDays)
        w.timer = ArchiveTimer{ArchiveTimerMode::fixed, *timerDays};
    return w;
}

TEST(CtlOrganise, ArchiveRestorePourDeleteAndTick) {
    CtlWorld world;
    Config doc = makeDefaultConfig();
    doc.activeWorkspace = "Home";
    Workspace pourMe = temporary("PourMe", 1);
    pourMe.drainTarget = "Work";
    pourMe.timerDrains = true;
    doc.workspaces = {Workspace::make("Home"),
                      Workspace::make("Work"),
                      temporary("Scratch"),
                      temporary("Notes"),
                      temporary("Later"),
                      temporary("Old", 1),
                      pourMe,
                      Workspace::make("Trash me"),
                      Workspace::make(std::string(Config::blankWorkspaceName))};
    fs::create_directories(world.paths.store);
    world.store.saveConfig(doc);
    test::writeFile(world.paths.desktop / "on-screen.txt", "home");
    for (const auto& name : {"Work", "Scratch", "Notes", "Later", "Old", "PourMe", "Trash me"})
        test::writeFile(world.folder(name) / "file.txt", name);
    const std::string today = Calendar().isoDay(Date::fromTimePoint(std::chrono::system_clock::now()));
    const fs::path archivedScratch = world.paths.defaultArchiveRoot / ("Scratch-" + today);

    struct Step {
        std::vector<std::string> args;
        int status;
        std::string out; // exact unless empty
        std::string err; // exact
    } steps[] = {
        {{"archive", "Scratch"},
         0,
         "Archived \u201cScratch\u201d into " + archivedScratch.string() + "\n",
         ""},
        {{"archive", "Later"},
         0,
         "Archived \u201cLater\u201d into " + (world.paths.defaultArchiveRoot / ("Later-" + today)).string() +
             "\n",
         ""},
        {{"archive", "Scratch"}, 1, "", "\u201cScratch\u201d is already archived.\n"},
        {{"archive", "Home"},
         1,
         "",
         "Only temporary desktops can be archived. Set \u201cHome\u201d to Temporary first.\n"},
        {{"archive", "Nobody"}, 1, "", "There's no desktop named \u201cNobody\u201d.\n"},
        {{"archive"}, 2, "", "Usage: tessarinctl archive NAME\n"},
        {{"restore", "Scratch"},
         0,
         "Restored \u201cScratch\u201d to " + world.folder("Scratch").string() + "\n",
         ""},
        {{"restore", "Scratch"},
         1,
         "",
         "\u201cScratch\u201d isn't archived, so there is nothing to restore.\n"},
        {{"delete", std::string(Config::blankWorkspaceName)},
         1,
         "",
         "\u201c_Hidden Desktop\u201d is Tessarin's own blank desktop and can't be deleted.\n"},
        {{"delete", "Nobody"}, 1, "", "There's no desktop named \u201cNobody\u201d.\n"},
        {{"pour", "Notes", "Notes"}, 1, "", "A desktop can't move into itself.\n"},
        {{"pour", "Notes", "Gone"},
         1,
         "",
         "\u201cGone\u201d no longer exists, so there's nowhere to move into.\n"},
        {{"pour", "Notes", "Scratch"},
         1,
         "",
         "A scratch desktop can only move into a live permanent desktop. \u201cScratch\u201d isn't one.\n"},
        {{"pour", "Notes", "Work"},
         0,
         "Poured \u201cNotes\u201d into " + (world.folder("Work") / "Notes").string() + "\n",
         ""},
        {{"delete", "Home"}, 1, "", "\u201cHome\u201d is the active desktop. Switch to another first.\n"},
        {{"delete", "Trash me"}, 0, "Moved \u201cTrash me\u201d to the Trash\n", ""},
        {{"tick"},
         0,
         "archived Old \u2192 " + (world.paths.defaultArchiveRoot / ("Old-" + today)).string() +
             "\ndrained PourMe \u2192 " + (world.folder("Work") / "PourMe").string() + "\n",
         ""},
        {{"tick"}, 0, "Nothing is due.\n", ""},
        {{"delete", "Old"}, 0, "Moved \u201cOld\u201d to the Trash\n", ""},
    };
    for (const auto& step : steps) {
        std::string command;
        for (const auto& a : step.args)
            command += a + " ";
        const auto r = world.ctl(step.args);
        EXPECT_EQ(r.status, step.status) << command << r.err;
        if (!step.out.empty()) {
            EXPECT_EQ(r.out, step.out) << command;
        }
        EXPECT_EQ(r.err, step.err) << command;
    }

    const Config after = world.store.loadConfig();
    std::vector<std::string> names;
    for (const auto& w : after.workspaces)
        names.push_back(w.name);
    EXPECT_EQ(names, (std::vector<std::string>{"Home", "Work", "Scratch", "Later",
                                               std::string(Config::blankWorkspaceName)}));
    EXPECT_EQ(test::readFile(world.folder("Scratch") / "file.txt"), "Scratch");
    EXPECT_EQ(test::readFile(world.folder("Work") / "Notes" / "file.txt"), "Notes");
    EXPECT_EQ(test::readFile(world.folder("Work") / "PourMe" / "file.txt"), "PourMe");
    EXPECT_EQ(test::readFile(world.paths.desktop / "on-screen.txt"), "home");
    EXPECT_EQ(test::readFile(world.trashFiles() / "Trash me" / "file.txt"), "Trash me");
    EXPECT_EQ(test::readFile(world.trashFiles() / ("Old-" + today) / "file.txt"), "Old");
    EXPECT_FALSE(fs::exists(world.folder("Trash me")));
    const std::string info = test::readFile(world.home / ".local/share/Trash/info/Trash me.trashinfo");
    EXPECT_NE(info.find("\nPath=" + world.home.path().string() + "/Tessarin%20Desktops/Trash%20me\n"),
              std::string::npos)
        << info;
}

TEST(CtlOrganise, CleanupsDiagnosticsAndReadOnlySessions) {
    CtlWorld world;
    Config doc = makeDefaultConfig();
    doc.activeWorkspace = "Home";
    Workspace archived = temporary("Taxes");
    archived.state = WorkspaceState::archivedUnsorted;
    doc.workspaces = {Workspace::make("Home"), archived,
                      Workspace::make(std::string(Config::blankWorkspaceName))};
    const Calendar calendar;
    const Date now = Date::fromTimePoint(std::chrono::system_clock::now());
    const Date tomorrow = calendar.startOfDay(*calendar.addingDays(now, 1));
    const Uuid id = *Uuid::parse("0B7E2C1A-0000-4000-8000-000000000001");
    doc.cleanupTasks = {{id, {"Taxes"}, tomorrow}};
    doc.settings.cleanupNotifyMinutes = 9 * 60;
    fs::create_directories(world.paths.store);
    world.store.saveConfig(doc);

    auto r = world.ctl({"--json", "cleanups"});
    ASSERT_EQ(r.status, 0) << r.err;
    const auto cleanups = nlohmann::json::parse(r.out);
    ASSERT_EQ(cleanups["tasks"].size(), 1u);
    EXPECT_EQ(cleanups["tasks"][0]["members"], nlohmann::json::array({"Taxes"}));
    ASSERT_EQ(cleanups["reminders"].size(), 1u);
    EXPECT_EQ(cleanups["reminders"][0]["identifier"], "tessarin.cleanup." + id.text());
    EXPECT_EQ(cleanups["reminders"][0]["body"], "\u201cTaxes\u201d is still waiting to be sorted.");
    EXPECT_EQ(cleanups["reminders"][0]["fireAt"],
              formatIso8601Local(calendar.date(calendar.day(tomorrow), 9, 0)->timePoint()));

    test::writeFile(world.paths.journal, "{ interrupted");
    r = world.ctl({"diagnostics"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(r.out.starts_with("Tessarin 0.1.0 (\u2013) \u00b7 ")) << r.out;
    EXPECT_NE(r.out.find("\nStore: " + world.paths.root.string() + "\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\nDesktops: 1 live, 1 archived (1 unsorted) \u00b7 active: \u201cHome\u201d\n"),
              std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find("\nJournal pending: YES \u2014 interrupted swap awaiting recovery\n"),
              std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find("\n\n\u2014 Log, this run \u2014\n"), std::string::npos) << r.out;
    fs::remove(world.paths.journal);

    // A document from a newer version: changes are refused, reports still work.
    doc.schemaVersion = 2;
    test::writeFile(world.paths.config, encodeConfig(doc));
    const std::string newer = std::string(StoreError::newerText) + "\n";
    for (const auto& args : std::vector<std::vector<std::string>>{{"archive", "Taxes"},
                                                                  {"restore", "Taxes"},
                                                                  {"pour", "Taxes", "Home"},
                                                                  {"delete", "Taxes"},
                                                                  {"tick"}}) {
        r = world.ctl(args);
        EXPECT_EQ(r.status, 4) << args[0];
        EXPECT_EQ(r.err, newer) << args[0];
    }
    r = world.ctl({"diagnostics"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("\nConfig schema: 2 (this app understands 1)\n"), std::string::npos) << r.out;
    EXPECT_EQ(world.ctl({"cleanups"}).status, 0);
    EXPECT_EQ(test::readFile(world.paths.config), encodeConfig(doc)) << "nothing was written";
}

} // namespace
} // namespace tessarin
