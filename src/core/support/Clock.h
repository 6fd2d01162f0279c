#pragma once

#include "support/Date.h"

#include <chrono>

namespace tessarin {

// Where the program reads "now" from; tests substitute a clock they can set.
class Clock {
public:
    virtual ~Clock() = default;
    virtual Date now() const = 0;
    // For measuring elapsed time; unaffected by changes of the wall clock.
    virtual std::chrono::steady_clock::time_point steadyNow() const {
        return std::chrono::steady_clock::now();
    }
};

class SystemClock : public Clock {
public:
    Date now() const override { return Date::fromTimePoint(std::chrono::system_clock::now()); }
};

// A clock that stands still until it is set or advanced.
class ManualClock : public Clock {
public:
    explicit ManualClock(Date start = {}) : now_(start) {}
    Date now() const override { return now_; }
    std::chrono::steady_clock::time_point steadyNow() const override {
        return std::chrono::steady_clock::time_point(
            std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                std::chrono::duration<double>(now_.secondsSinceReference)));
    }
    void set(Date date) { now_ = date; }
    void advance(double seconds) { now_ = now_.addingSeconds(seconds); }

private:
    Date now_;
};

} // namespace tessarin
