// tessarinctl archive, restore, pour, delete, tick, cleanups and diagnostics in a throwaway home.
#include "support/Calendar.h"
#include "support/World.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace tessarin {
namespace {

namespace fs = std::filesystem;

Workspace temporary(const std::string& name, std::optional<int64_t> timerDays = std::nullopt) {
    Workspace w = Workspace::make(name, WorkspaceType::temporary);
    w.createdAt = Date::fromTimePoint(std::chrono::system_clock::now()).addingSeconds(-7 * 86400);
    if (timerDays)
        w.timer = ArchiveTimer{ArchiveTimerMode::fixed, *timerDays};
    return w;
}

TEST(CtlOrganise, ArchiveRestorePourDeleteAndTick) {
    test::World world;
    Workspace pourMe = temporary("PourMe", 1);
    pourMe.drainTarget = "Work";
    pourMe.timerDrains = true;
    world.document({Workspace::make("Work"), temporary("Scratch"), temporary("Notes"), temporary("Old", 1),
                    pourMe, Workspace::make("Trash me")});
    test::writeFile(world.paths.desktop / "on-screen.txt", "home");
    for (const auto& name : {"Work", "Scratch", "Notes", "Old", "PourMe", "Trash me"})
        test::writeFile(world.folder(name) / "file.txt", name);
    const std::string today = Calendar().isoDay(Date::fromTimePoint(std::chrono::system_clock::now()));

    const auto archived = [&](const std::string& name) {
        return (world.archive() / (name + "-" + today)).string();
    };
    // The archiver's refusals ("~": some text) are checked with their texts where they are made.
    const std::vector<test::CtlStep> steps{
        {{"archive", "Scratch"}, 0, "Archived \u201cScratch\u201d into " + archived("Scratch") + "\n", ""},
        {{"archive", "Scratch"}, 1, "", "~"},
        {{"archive", "Nobody"}, 1, "", "There's no desktop named \u201cNobody\u201d.\n"},
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
        {{"pour", "Notes", "Gone"}, 1, "", "~"},
        {{"pour", "Notes", "Work"},
         0,
         "Poured \u201cNotes\u201d into " + (world.folder("Work") / "Notes").string() + "\n",
         ""},
        {{"delete", "Home"}, 1, "", "~"},
        {{"delete", "Nobody"}, 1, "", "There's no desktop named \u201cNobody\u201d.\n"},
        {{"delete", "Trash me"}, 0, "Moved \u201cTrash me\u201d to the Trash\n", ""},
        {{"tick"},
         0,
         "archived Old \u2192 " + archived("Old") + "\ndrained PourMe \u2192 " +
             (world.folder("Work") / "PourMe").string() + "\n",
         ""},
        {{"tick"}, 0, "Nothing is due.\n", ""},
        {{"delete", "Old"}, 0, "Moved \u201cOld\u201d to the Trash\n", ""},
    };
    test::expectSteps(world, steps);

    EXPECT_EQ(world.names(),
              (std::vector<std::string>{"Home", "Work", "Scratch", std::string(Config::blankWorkspaceName)}));
    EXPECT_EQ(test::readFile(world.folder("Scratch") / "file.txt"), "Scratch");
    EXPECT_EQ(test::readFile(world.folder("Work") / "Notes" / "file.txt"), "Notes");
    EXPECT_EQ(test::readFile(world.folder("Work") / "PourMe" / "file.txt"), "PourMe");
    EXPECT_EQ(test::readFile(world.paths.desktop / "on-screen.txt"), "home");
    const fs::path trash = world.home / ".local/share/Trash/files";
    EXPECT_EQ(test::readFile(trash / "Trash me" / "file.txt"), "Trash me");
    EXPECT_EQ(test::readFile(trash / ("Old-" + today) / "file.txt"), "Old");
    EXPECT_FALSE(fs::exists(world.folder("Trash me")));
    const std::string info = test::readFile(world.home / ".local/share/Trash/info/Trash me.trashinfo");
    EXPECT_NE(info.find("\nPath=" + world.home.path().string() + "/Tessarin%20Desktops/Trash%20me\n"),
              std::string::npos)
        << info;
}

TEST(CtlOrganise, CleanupsAndDiagnostics) {
    test::World world;
    Config doc = world.document({test::World::archived("Taxes")});
    const Calendar calendar;
    const Date now = Date::fromTimePoint(std::chrono::system_clock::now());
    const Date tomorrow = calendar.startOfDay(*calendar.addingDays(now, 1));
    const Uuid id = *Uuid::parse("0B7E2C1A-0000-4000-8000-000000000001");
    doc.cleanupTasks = {{id, {"Taxes"}, tomorrow}};
    doc.settings.cleanupNotifyMinutes = 9 * 60;
    world.store.saveConfig(doc);

    auto r = world.ctl({"--json", "cleanups"});
    ASSERT_EQ(r.status, 0) << r.err;
    const auto cleanups = nlohmann::json::parse(r.out);
    ASSERT_EQ(cleanups["tasks"].size(), 1u);
    EXPECT_EQ(cleanups["tasks"][0]["members"], nlohmann::json::array({"Taxes"}));
    ASSERT_EQ(cleanups["reminders"].size(), 1u);
    EXPECT_EQ(cleanups["reminders"][0]["identifier"], "tessarin.cleanup." + id.text());
    EXPECT_EQ(cleanups["reminders"][0]["fireAt"],
              formatIso8601Local(calendar.date(calendar.day(tomorrow), 9, 0)->timePoint()));

    test::writeFile(world.paths.journal, "{ interrupted");
    r = world.ctl({"diagnostics"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("\nStore: " + world.paths.root.string() + "\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\nDesktops: 1 live, 1 archived (1 unsorted) \u00b7 active: \u201cHome\u201d\n"),
              std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find("\nJournal pending: YES \u2014 interrupted swap awaiting recovery\n"),
              std::string::npos)
        << r.out;
}

} // namespace
} // namespace tessarin
