#pragma once

#include "support/Date.h"

#include <optional>
#include <string>

namespace tessarin {

// A day of the calendar.
struct CalendarDay {
    int year = 2001;
    int month = 1; // 1-12
    int day = 1;   // 1-31

    bool operator==(const CalendarDay&) const = default;
};

// The user's calendar in the process's local time zone (TZ, else /etc/localtime), through the C
// library, so start of day, adding days and counting days follow daylight-saving changes.
class Calendar {
public:
    // The day on which the instant falls.
    CalendarDay day(Date date) const;
    // The first instant of the date's day (the first existing one where midnight is skipped).
    Date startOfDay(Date date) const;
    // The same wall-clock time `days` calendar days later (or earlier); none when it can't be formed.
    std::optional<Date> addingDays(Date date, int days) const;
    // The instant of that day at hour:minute local time; none when it can't be formed. Out-of-range
    // hours and minutes roll over into the following days and hours.
    std::optional<Date> date(CalendarDay day, int hour, int minute) const;
    // Whole calendar days from the day of `from` to the day of `to` (negative when `to` is earlier).
    long daysBetween(Date from, Date to) const;
    bool isSameDay(Date a, Date b) const { return day(a) == day(b); }
    // "yyyy-MM-dd" of the date's day.
    std::string isoDay(Date date) const;
};

} // namespace tessarin
