#include "organise/DesktopTimers.h"

#include "model/ConfigCodec.h"
#include "support/World.h"

#include <gtest/gtest.h>

namespace tessarin {
namespace {

using test::berlin;
using test::World;

Workspace timed(const std::string& name, ArchiveTimerMode mode, int64_t days, std::optional<Date> created,
                std::optional<Date> visited = std::nullopt) {
    Workspace w = Workspace::make(name, WorkspaceType::temporary);
    w.timer = ArchiveTimer{mode, days};
    w.createdAt = created;
    w.lastActiveAt = visited;
    return w;
}

TEST(DesktopTimersTest, DueAfterWholeDaysOfElapsedTimeFromTheReference) {
    const test::ScopedEnv zone("TZ", "Europe/Berlin");
    const Date monday = berlin(2026, 3, 23, 10, 0, false);
    const Date friday = berlin(2026, 3, 27, 10, 0, false);
    Workspace archived = timed("a", ArchiveTimerMode::fixed, 1, monday);
    archived.state = WorkspaceState::archivedUnsorted;
    Workspace permanent = timed("p", ArchiveTimerMode::fixed, 1, monday);
    permanent.type = WorkspaceType::permanent;
    struct Case {
        const char* what;
        Workspace desktop;
        Date notYet;
        std::optional<Date> due;
    } cases[] = {
        {"fixed 3 days over the spring change: 72 hours, so 11:00 summer time",
         timed("f", ArchiveTimerMode::fixed, 3, friday), berlin(2026, 3, 30, 10, 59, true),
         berlin(2026, 3, 30, 11, 0, true)},
        {"idle timer visited again on day 2 of 3 counts from the visit",
         timed("i", ArchiveTimerMode::idle, 3, monday, berlin(2026, 3, 24, 18, 0, false)),
         berlin(2026, 3, 27, 17, 59, false), berlin(2026, 3, 27, 18, 0, false)},
        {"idle timer never visited counts from creation", timed("i", ArchiveTimerMode::idle, 1, monday),
         berlin(2026, 3, 24, 9, 0, false), berlin(2026, 3, 24, 10, 0, false)},
        {"fixed timer ignores visits",
         timed("f", ArchiveTimerMode::fixed, 1, monday, berlin(2026, 3, 24, 9, 0, false)),
         berlin(2026, 3, 24, 9, 59, false), berlin(2026, 3, 24, 10, 0, false)},
        {"no reference date", timed("n", ArchiveTimerMode::fixed, 1, std::nullopt), monday, std::nullopt},
        {"timer mode none", timed("n", ArchiveTimerMode::none, 1, monday), monday, std::nullopt},
        {"archived", archived, monday, std::nullopt},
        {"permanent", permanent, monday, std::nullopt},
    };
    const Date muchLater = berlin(2027, 1, 1, 0, 0, false);
    for (const auto& c : cases) {
        EXPECT_FALSE(archiveDue(c.desktop, c.notYet)) << c.what;
        if (c.due)
            EXPECT_TRUE(archiveDue(c.desktop, *c.due)) << c.what;
        else
            EXPECT_FALSE(archiveDue(c.desktop, muchLater)) << c.what;
    }
}

TEST(DesktopTimersTest, TimersOnTheCalendarAndMovingThem) {
    const test::ScopedEnv zone("TZ", "Europe/Berlin");
    const Calendar calendar;
    const Date friday = berlin(2026, 3, 27, 10, 0, false);
    Config doc = makeDefaultConfig();
    doc.workspaces = {
        Workspace::make("Home"),
        timed("Fixed", ArchiveTimerMode::fixed, 3, friday),
        timed("Idle", ArchiveTimerMode::idle, 2, friday, berlin(2026, 3, 28, 23, 30, false)),
        timed("NoDate", ArchiveTimerMode::fixed, 3, std::nullopt),
        timed("Off", ArchiveTimerMode::none, 3, friday),
    };
    doc.findWorkspace("Fixed")->drainTarget = "Home";
    doc.findWorkspace("Fixed")->timerDrains = true;
    doc.findWorkspace("Idle")->drainTarget = "Home"; // a target without timerDrains does not drain

    const auto ops = timerOps(doc, calendar);
    ASSERT_EQ(ops.size(), 2u);
    EXPECT_EQ(ops[0], (TimerOp{"Fixed", berlin(2026, 3, 30, 0, 0, true), doc.workspaces[1].colorHex, true,
                               "Home", false}));
    EXPECT_EQ(ops[1], (TimerOp{"Idle", berlin(2026, 3, 31, 0, 0, true), doc.workspaces[2].colorHex, false,
                               std::nullopt, true}));
    const auto monday = timerOps(doc, berlin(2026, 3, 30, 23, 59, true), calendar);
    ASSERT_EQ(monday.size(), 1u);
    EXPECT_EQ(monday[0].workspace, "Fixed");

    struct Case {
        const char* what;
        std::string name;
        Date to;
        std::optional<int64_t> days; // none: unchanged
    } cases[] = {
        {"three calendar days later, any hour", "Fixed", berlin(2026, 3, 30, 1, 0, true), 3},
        {"the reference day itself: at least one", "Fixed", berlin(2026, 3, 27, 23, 0, false), 1},
        {"idle counts from the last visit", "Idle", berlin(2026, 4, 2, 12, 0, true), 5},
        {"no reference date", "NoDate", berlin(2026, 4, 2, 12, 0, true), std::nullopt},
    };
    for (const auto& c : cases) {
        Config changed = doc;
        rescheduleTimer(changed, c.name, c.to, calendar);
        Config expected = doc;
        if (c.days)
            expected.findWorkspace(c.name)->timer->days = *c.days;
        EXPECT_EQ(changed, expected) << c.what;
    }
}

TEST(DesktopTimersTest, ClearDestinations) {
    Workspace start = timed("Scratch", ArchiveTimerMode::idle, 4, Date{});
    start.drainTarget = "Old";
    start.timerDrains = true;
    struct Case {
        ClearMode mode;
        std::optional<ArchiveTimer> timer;
        std::optional<std::string> drainTarget;
        bool drains;
    } cases[] = {
        {ClearMode::keep, std::nullopt, std::nullopt, false},
        {ClearMode::move, start.timer, "Home", true},
        {ClearMode::archive, start.timer, std::nullopt, false},
    };
    for (const auto& c : cases) {
        Config doc = makeDefaultConfig();
        doc.workspaces = {start};
        setClearDestination(doc, "Scratch", c.mode, "Home");
        const Workspace& w = doc.workspaces[0];
        EXPECT_EQ(w.clearMode, c.mode) << enumName(c.mode);
        EXPECT_EQ(w.timer, c.timer) << enumName(c.mode);
        EXPECT_EQ(w.drainTarget, c.drainTarget) << enumName(c.mode);
        EXPECT_EQ(w.timerDrains, c.drains) << enumName(c.mode);
    }
}

TEST(DesktopTimersTest, FiringDueTimersArchivesOrPoursAndCarriesOnPastFailures) {
    World world;
    const Date created = berlin(2026, 2, 20, 10, 0, false);
    const auto due = [&](const std::string& name) {
        return timed(name, ArchiveTimerMode::fixed, 3, created);
    };
    const auto drainsInto = [&](const std::string& name, const std::string& target) {
        Workspace w = due(name);
        w.drainTarget = target;
        w.timerDrains = true;
        return w;
    };
    Workspace routedButOff = due("RoutedOff");
    routedButOff.drainTarget = "Home";
    Workspace otherTemporary = timed("Other", ArchiveTimerMode::none, 0, created);
    Config doc = world.document({
        due("Plain"),
        drainsInto("Pour", "Home"),
        drainsInto("Orphan", "Gone"),
        drainsInto("IntoTemporary", "Other"),
        routedButOff,
        due("Broken"),
        due("OnScreen"),
        timed("Fresh", ArchiveTimerMode::fixed, 30, created),
        otherTemporary,
    });
    doc.activeWorkspace = "OnScreen";
    world.store.saveConfig(doc);
    for (const auto& name : {"Plain", "Pour", "Orphan", "IntoTemporary", "RoutedOff", "Broken", "Fresh"})
        world.put(world.folder(name) / "file.txt", name);
    world.files.moveFault = [&](const std::filesystem::path& from, auto&) {
        return from == world.folder("Broken") ? EIO : 0;
    };

    const auto completed = world.archiver.fireDueTimers(world.clock.now());

    EXPECT_EQ(completed, (std::vector<std::string>{"Plain", "Pour", "Orphan", "IntoTemporary", "RoutedOff"}));
    const Config after = world.load();
    for (const auto& name : {"Plain", "Orphan", "IntoTemporary", "RoutedOff"}) {
        EXPECT_EQ(after.findWorkspace(name)->state, WorkspaceState::archivedUnsorted) << name;
        EXPECT_EQ(test::readFile(world.archive() / (std::string(name) + "-2026-03-01") / "file.txt"), name)
            << name;
    }
    EXPECT_FALSE(after.findWorkspace("Pour"));
    EXPECT_EQ(test::readFile(world.folder("Home") / "Pour" / "file.txt"), "Pour");
    for (const auto& name : {"Broken", "OnScreen", "Fresh"})
        EXPECT_EQ(after.findWorkspace(name)->state, WorkspaceState::active) << name;
    EXPECT_NE(std::find(world.sink->messages.begin(), world.sink->messages.end(),
                        "auto-completion of Broken failed: Couldn't move the folder: " +
                            std::system_category().message(EIO)),
              world.sink->messages.end());

    // The next tick retries what failed and finds nothing else to do.
    world.files.moveFault = nullptr;
    EXPECT_EQ(world.archiver.fireDueTimers(world.clock.now()), std::vector<std::string>{"Broken"});
    EXPECT_TRUE(world.archiver.fireDueTimers(world.clock.now()).empty());

    // An unreadable document: nothing is due and nothing is thrown.
    test::writeFile(world.paths.config, "{ not json");
    EXPECT_TRUE(world.archiver.fireDueTimers(world.clock.now()).empty());
}

} // namespace
} // namespace tessarin
