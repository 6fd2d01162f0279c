#include "support/Calendar.h"

#include "support/Instants.h"
#include "support/ScopedEnv.h"

#include <gtest/gtest.h>

namespace tessarin {
namespace {

using test::berlin;
using test::utc;

// Europe/Berlin changes on 2026-03-29 (02:00 CET -> 03:00 CEST) and 2026-10-25 (03:00 CEST -> 02:00 CET).
TEST(CalendarTest, StartOfDayFollowsTheLocalZoneAcrossDaylightSavingChanges) {
    const test::ScopedEnv zone("TZ", "Europe/Berlin");
    const Calendar calendar;
    struct Case {
        const char* what;
        Date instant;
        Date start;
    } cases[] = {
        {"day of the spring change (23 hours)", berlin(2026, 3, 29, 12, 0, true),
         berlin(2026, 3, 29, 0, 0, false)},
        {"first summer day", berlin(2026, 3, 30, 0, 30, true), berlin(2026, 3, 30, 0, 0, true)},
        {"day of the autumn change (25 hours), after it", berlin(2026, 10, 25, 23, 59, false),
         berlin(2026, 10, 25, 0, 0, true)},
        {"the repeated hour, second time", utc(2026, 10, 25, 1, 30), berlin(2026, 10, 25, 0, 0, true)},
        {"late evening is still the same local day", utc(2026, 7, 1, 21, 59), berlin(2026, 7, 1, 0, 0, true)},
        {"just after local midnight is the next day", utc(2026, 7, 1, 22, 0), berlin(2026, 7, 2, 0, 0, true)},
    };
    for (const auto& c : cases)
        EXPECT_EQ(calendar.startOfDay(c.instant), c.start) << c.what;
}

TEST(CalendarTest, AddingDaysKeepsTheWallClockTimeAndCountingDaysUsesCalendarDays) {
    const test::ScopedEnv zone("TZ", "Europe/Berlin");
    const Calendar calendar;
    struct Case {
        const char* what;
        Date from;
        int days;
        Date to;
    } cases[] = {
        {"over the spring change: 23 hours", berlin(2026, 3, 28, 9, 0, false), 1,
         berlin(2026, 3, 29, 9, 0, true)},
        {"over the autumn change: 25 hours", berlin(2026, 10, 24, 9, 0, true), 1,
         berlin(2026, 10, 25, 9, 0, false)},
        {"backwards over the spring change", berlin(2026, 3, 30, 0, 0, true), -2,
         berlin(2026, 3, 28, 0, 0, false)},
        {"over a leap day", berlin(2028, 2, 28, 10, 0, false), 1, berlin(2028, 2, 29, 10, 0, false)},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(calendar.addingDays(c.from, c.days), c.to) << c.what;
        EXPECT_EQ(calendar.daysBetween(c.from, c.to), c.days) << c.what;
    }
    // A 25-hour span from one local midnight to the next is one day; 23:30 to 00:10 two days on is two.
    EXPECT_EQ(calendar.daysBetween(berlin(2026, 10, 25, 0, 0, true), berlin(2026, 10, 26, 0, 0, false)), 1);
    EXPECT_EQ(calendar.daysBetween(berlin(2026, 3, 28, 23, 30, false), berlin(2026, 3, 30, 0, 10, true)), 2);
    EXPECT_EQ(calendar.isoDay(utc(2026, 2, 28, 23, 30)), "2026-03-01");
    EXPECT_EQ(calendar.date({2026, 3, 29}, 9, 0), berlin(2026, 3, 29, 9, 0, true));
    EXPECT_EQ(calendar.date({2026, 3, 29}, 24 + 9, 0), berlin(2026, 3, 30, 9, 0, true)) << "hours roll over";
}

TEST(CalendarTest, DayThatBeginsAfterASkippedMidnight) {
    // Santiago moved from -04 to -03 at 2022-09-11 00:00, so that day began at 01:00 (04:00 UTC).
    const test::ScopedEnv zone("TZ", "America/Santiago");
    const Calendar calendar;
    EXPECT_EQ(calendar.startOfDay(utc(2022, 9, 11, 18, 0)), utc(2022, 9, 11, 4, 0));
    EXPECT_EQ(calendar.isoDay(calendar.startOfDay(utc(2022, 9, 11, 18, 0))), "2022-09-11");
    EXPECT_EQ(calendar.daysBetween(utc(2022, 9, 10, 12, 0), utc(2022, 9, 11, 12, 0)), 1);
}

} // namespace
} // namespace tessarin
