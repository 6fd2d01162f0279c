#pragma once

#include "model/Config.h"
#include "support/Calendar.h"

#include <optional>
#include <string>
#include <vector>

namespace tessarin {

// The instant a timer counts from: createdAt for a fixed timer; lastActiveAt (else createdAt) for an
// idle one; none without a counting timer.
std::optional<Date> timerReference(const Workspace& workspace);

// A live temporary desktop whose counting timer has run `days` × 24 hours from its reference.
bool archiveDue(const Workspace& workspace, Date now);

// One running timer on the calendar.
struct TimerOp {
    std::string workspace;
    Date date; // start of the day on which the timer runs out
    std::string colorHex;
    bool drains = false;
    std::optional<std::string> drainTarget; // set only when it drains
    bool idle = false;

    bool operator==(const TimerOp&) const = default;
};

// The running timers of the live desktops, in document order.
std::vector<TimerOp> timerOps(const Config& config, const Calendar& calendar);
// Those that run out on the calendar day of `day`.
std::vector<TimerOp> timerOps(const Config& config, Date day, const Calendar& calendar);

// Moves the end of a counting timer to `date`'s day: days = calendar days from the reference's day,
// at least 1.
void rescheduleTimer(Config& config, const std::string& name, Date date, const Calendar& calendar);
// Where the desktop goes when cleared: keep (no timer, no target), move into `home`, or archive.
void setClearDestination(Config& config, const std::string& name, ClearMode mode,
                         const std::optional<std::string>& home);
void setAutoCompletion(Config& config, const std::string& name, const std::optional<ArchiveTimer>& timer,
                       bool drains);

} // namespace tessarin
