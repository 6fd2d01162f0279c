#pragma once

#include "support/Date.h"

#include <ctime>

namespace tessarin::test {

// The instant of a UTC date and time, worked out without the code under test.
inline Date utc(int year, int month, int day, int hour = 0, int minute = 0, int second = 0) {
    std::tm parts{};
    parts.tm_year = year - 1900;
    parts.tm_mon = month - 1;
    parts.tm_mday = day;
    parts.tm_hour = hour;
    parts.tm_min = minute;
    parts.tm_sec = second;
    return Date::fromUnixSeconds(static_cast<double>(::timegm(&parts)));
}

// Europe/Berlin wall-clock time: UTC+1 in winter, UTC+2 in summer (the caller says which).
inline Date berlin(int year, int month, int day, int hour, int minute, bool summer) {
    return utc(year, month, day, hour, minute).addingSeconds(summer ? -7200 : -3600);
}

} // namespace tessarin::test
