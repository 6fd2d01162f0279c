#pragma once

#include "support/Calendar.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace tessarin {

// One reminder time of a cleanup task; `suffix` tells the reminders of one task apart ("" for the one
// on the task's day, ".overdue<n>" for the repeat n days after today).
struct CleanupFireTime {
    std::string suffix;
    Date date;

    bool operator==(const CleanupFireTime&) const = default;
};

struct CleanupSchedule {
    // Days after today of the repeats while a task is overdue: twice a week for four weeks.
    static constexpr std::array<int, 8> overdueOffsets{0, 3, 7, 10, 14, 17, 21, 24};

    // The reminders still ahead of `now` for a task dated `taskDate`, each at `notifyMinutes` after
    // midnight: the task's day, and, for a task dated before today with repeats on, the overdue days.
    static std::vector<CleanupFireTime> fireTimes(Date taskDate, Date now, int64_t notifyMinutes,
                                                  bool repeatWhileOverdue, const Calendar& calendar);
};

} // namespace tessarin
