#pragma once

#include <chrono>
#include <compare>

namespace tessarin {

// A point in time as the document stores it: seconds (with fraction) since 2001-01-01 00:00:00 UTC.
struct Date {
    double secondsSinceReference = 0;

    // 2001-01-01 00:00:00 UTC in seconds since the Unix epoch.
    static constexpr double referenceUnixSeconds = 978307200.0;

    static Date fromUnixSeconds(double s) { return Date{s - referenceUnixSeconds}; }
    static Date fromTimePoint(std::chrono::system_clock::time_point t) {
        return fromUnixSeconds(std::chrono::duration<double>(t.time_since_epoch()).count());
    }
    double unixSeconds() const { return secondsSinceReference + referenceUnixSeconds; }
    std::chrono::system_clock::time_point timePoint() const {
        return std::chrono::system_clock::time_point(
            std::chrono::duration_cast<std::chrono::system_clock::duration>(
                std::chrono::duration<double>(unixSeconds())));
    }
    Date addingSeconds(double s) const { return Date{secondsSinceReference + s}; }

    auto operator<=>(const Date&) const = default;
    bool operator==(const Date&) const = default;
};

} // namespace tessarin
