#include "organise/CleanupReminders.h"

#include "organise/CleanupSchedule.h"
#include "support/Instants.h"
#include "support/ScopedEnv.h"
#include "support/World.h"

#include <gtest/gtest.h>
#include <tuple>

namespace tessarin {

void PrintTo(const CleanupFireTime& t, std::ostream* os) {
    *os << "{\"" << t.suffix << "\", " << static_cast<long long>(t.date.unixSeconds()) << "}";
}

namespace {

using test::berlin;
using test::World;

TEST(CleanupRemindersTest, FireTimesOnTheTaskDayAndWhileOverdue) {
    const test::ScopedEnv zone("TZ", "Europe/Berlin");
    const Calendar calendar;
    // "today" is Thursday 2026-03-26; the spring change falls on Sunday the 29th and the repeats run into
    // summer time, yet each stays at 09:00 local.
    const Date today = berlin(2026, 3, 26, 0, 0, false);
    const auto at9 = [](int month, int day, bool summer) { return berlin(2026, month, day, 9, 0, summer); };
    const Date at8 = berlin(2026, 3, 26, 8, 0, false);
    const Date at10 = berlin(2026, 3, 26, 10, 0, false);
    const Date overdue = berlin(2026, 3, 24, 0, 0, false);
    const Date monday = berlin(2026, 3, 30, 0, 0, true);
    std::vector<CleanupFireTime> repeats{{".overdue0", at9(3, 26, false)}};
    for (const auto& [days, day, month] :
         {std::tuple{3, 29, 3}, {7, 2, 4}, {10, 5, 4}, {14, 9, 4}, {17, 12, 4}, {21, 16, 4}, {24, 19, 4}})
        repeats.push_back({".overdue" + std::to_string(days), at9(month, day, true)});
    struct Case {
        const char* what;
        Date taskDate;
        Date now;
        int64_t minutes;
        bool repeat;
        std::vector<CleanupFireTime> expected;
    } cases[] = {
        {"due today, computed at 08:00: today at 09:00", today, at8, 540, true, {{"", at9(3, 26, false)}}},
        {"due today, computed at 10:00: none", today, at10, 540, true, {}},
        {"overdue at 08:00: today's repeat too", overdue, at8, 540, true, repeats},
        {"overdue with repeats off: none", overdue, at8, 540, false, {}},
        {"reminder minutes after midnight",
         monday,
         today,
         17 * 60 + 45,
         false,
         {{"", berlin(2026, 3, 30, 17, 45, true)}}},
        {"reminder time inside the skipped hour on the change day",
         berlin(2026, 3, 29, 0, 0, false),
         today,
         2 * 60 + 30,
         false,
         {{"", test::utc(2026, 3, 29, 1, 30)}}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CleanupSchedule::fireTimes(c.taskDate, c.now, c.minutes, c.repeat, calendar), c.expected)
            << c.what;
}

TEST(CleanupRemindersTest, WhatASyncSchedulesForADocument) {
    const test::ScopedEnv zone("TZ", "Europe/Berlin");
    const Calendar calendar;
    const Date now = berlin(2026, 3, 26, 10, 0, false);
    Config base = makeDefaultConfig();
    base.workspaces = {World::archived("Photos"), World::archived("Taxes"), World::archived("Done")};
    base.workspaces[2].state = WorkspaceState::archivedSorted;
    const Uuid overdueId = *Uuid::parse("11111111-2222-3333-4444-555555555555");
    const Uuid aheadId = *Uuid::parse("AAAAAAAA-BBBB-CCCC-DDDD-EEEEEEEEEEEE");
    const Uuid sortedId = *Uuid::parse("99999999-9999-9999-9999-999999999999");
    base.cleanupTasks = {{overdueId, {"Photos", "Taxes"}, berlin(2026, 3, 24, 0, 0, false)},
                         {aheadId, {"Done", "Taxes"}, berlin(2026, 3, 27, 0, 0, false)},
                         {sortedId, {"Done"}, berlin(2026, 3, 27, 0, 0, false)}};
    base.settings.cleanupNotifyMinutes = 540;
    base.settings.cleanupNotifyRepeat = true;
    base.settings.cleanupNotifySound = false;

    const std::string prefix = "tessarin.cleanup.";
    const std::string several = "Desktops still waiting to be sorted: Photos, Taxes.";
    const std::string one = "\u201cTaxes\u201d is still waiting to be sorted.";
    std::vector<std::pair<std::string, std::string>> overdueThenAhead;
    for (const int days : {3, 7, 10, 14, 17, 21, 24})
        overdueThenAhead.emplace_back(prefix + overdueId.text() + ".overdue" + std::to_string(days), several);
    overdueThenAhead.emplace_back(prefix + aheadId.text(), one);
    struct Case {
        const char* what;
        std::function<void(Config&)> change;
        bool askPermission;
        std::vector<std::pair<std::string, std::string>> identifiersAndBodies;
    } cases[] = {
        {"overdue task with repeats and a task tomorrow", [](Config&) {}, true, overdueThenAhead},
        {"muted: nothing, not even the permission request",
         [](Config& c) { c.settings.muteCleanupNotifications = true; },
         false,
         {}},
        {"the last unsorted members sorted: no open task, no permission request",
         [](Config& c) {
             for (auto& w : c.workspaces)
                 w.state = WorkspaceState::archivedSorted;
         },
         false,
         {}},
        {"open tasks whose times are all past still ask for permission",
         [](Config& c) {
             c.settings.cleanupNotifyRepeat = false;
             c.cleanupTasks.erase(c.cleanupTasks.begin() + 1);
         },
         true,
         {}},
    };
    for (const auto& c : cases) {
        Config config = base;
        c.change(config);
        const auto plan = CleanupReminders::plan(config, now, calendar);
        EXPECT_EQ(plan.askPermission, c.askPermission) << c.what;
        std::vector<std::pair<std::string, std::string>> got;
        for (const auto& r : plan.reminders) {
            got.emplace_back(r.identifier, r.body);
            EXPECT_EQ(r.title, "Desktop cleanup") << c.what;
            EXPECT_FALSE(r.sound) << c.what;
        }
        EXPECT_EQ(got, c.identifiersAndBodies) << c.what;
    }
    const auto plan = CleanupReminders::plan(base, now, calendar);
    EXPECT_EQ(plan.reminders.back().fireAt, berlin(2026, 3, 27, 9, 0, false));
}

} // namespace
} // namespace tessarin
