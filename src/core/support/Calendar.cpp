#include "support/Calendar.h"

#include <cmath>
#include <cstdio>
#include <ctime>

namespace tessarin {

namespace {

std::time_t wholeSeconds(Date date) {
    const double seconds = date.unixSeconds();
    return std::isfinite(seconds) ? static_cast<std::time_t>(std::floor(seconds)) : 0;
}

double fraction(Date date) {
    const double seconds = date.unixSeconds();
    return std::isfinite(seconds) ? seconds - std::floor(seconds) : 0;
}

std::tm localParts(std::time_t t) {
    std::tm parts{};
    ::localtime_r(&t, &parts);
    return parts;
}

// mktime with the daylight-saving flag left to the time zone rules; none when the time can't be formed.
std::optional<std::time_t> makeLocal(std::tm parts) {
    parts.tm_isdst = -1;
    const std::time_t t = std::mktime(&parts);
    if (t == static_cast<std::time_t>(-1))
        return std::nullopt;
    return t;
}

CalendarDay dayOf(const std::tm& parts) {
    return {parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday};
}

// Days since 1970-01-01 of a proleptic Gregorian date.
long daysFromCivil(CalendarDay d) {
    const long y = d.year - (d.month <= 2 ? 1 : 0);
    const long era = (y >= 0 ? y : y - 399) / 400;
    const long yearOfEra = y - era * 400;
    const long dayOfYear = (153 * (d.month + (d.month > 2 ? -3 : 9)) + 2) / 5 + d.day - 1;
    const long dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

bool before(CalendarDay a, CalendarDay b) {
    return daysFromCivil(a) < daysFromCivil(b);
}

} // namespace

CalendarDay Calendar::day(Date date) const {
    return dayOf(localParts(wholeSeconds(date)));
}

Date Calendar::startOfDay(Date date) const {
    std::tm parts = localParts(wholeSeconds(date));
    const CalendarDay wanted = dayOf(parts);
    parts.tm_hour = 0;
    parts.tm_min = 0;
    parts.tm_sec = 0;
    std::time_t t = makeLocal(parts).value_or(wholeSeconds(date));
    // Where the day begins after a skipped midnight, mktime may land on the evening before.
    while (before(dayOf(localParts(t)), wanted))
        t += 60 * 15;
    return Date::fromUnixSeconds(static_cast<double>(t));
}

std::optional<Date> Calendar::addingDays(Date date, int days) const {
    std::tm parts = localParts(wholeSeconds(date));
    parts.tm_mday += days;
    const auto t = makeLocal(parts);
    if (!t)
        return std::nullopt;
    return Date::fromUnixSeconds(static_cast<double>(*t) + fraction(date));
}

std::optional<Date> Calendar::date(CalendarDay day, int hour, int minute) const {
    std::tm parts{};
    parts.tm_year = day.year - 1900;
    parts.tm_mon = day.month - 1;
    parts.tm_mday = day.day;
    parts.tm_hour = hour;
    parts.tm_min = minute;
    const auto t = makeLocal(parts);
    if (!t)
        return std::nullopt;
    return Date::fromUnixSeconds(static_cast<double>(*t));
}

long Calendar::daysBetween(Date from, Date to) const {
    return daysFromCivil(day(to)) - daysFromCivil(day(from));
}

std::string Calendar::isoDay(Date date) const {
    const CalendarDay d = day(date);
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", d.year, d.month, d.day);
    return text;
}

} // namespace tessarin
