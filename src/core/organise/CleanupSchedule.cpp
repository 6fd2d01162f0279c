#include "organise/CleanupSchedule.h"

namespace tessarin {

std::vector<CleanupFireTime> CleanupSchedule::fireTimes(Date taskDate, Date now, int64_t notifyMinutes,
                                                        bool repeatWhileOverdue, const Calendar& calendar) {
    const Date today = calendar.startOfDay(now);
    std::vector<CleanupFireTime> candidates{{"", taskDate}};
    if (repeatWhileOverdue && taskDate < today) {
        for (const int offset : overdueOffsets)
            if (const auto day = calendar.addingDays(today, offset))
                candidates.push_back({".overdue" + std::to_string(offset), *day});
    }

    const auto hour = static_cast<int>(notifyMinutes / 60);
    const auto minute = static_cast<int>(notifyMinutes % 60);
    std::vector<CleanupFireTime> kept;
    for (const auto& candidate : candidates) {
        const auto at = calendar.date(calendar.day(candidate.date), hour, minute);
        if (at && *at > now)
            kept.push_back({candidate.suffix, *at});
    }
    return kept;
}

} // namespace tessarin
