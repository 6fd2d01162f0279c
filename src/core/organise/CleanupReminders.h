#pragma once

#include "model/Config.h"
#include "support/Calendar.h"

#include <string>
#include <string_view>
#include <vector>

namespace tessarin {

// One reminder notification to schedule. A later one with the same identifier replaces it.
struct CleanupReminder {
    std::string identifier; // "tessarin.cleanup." + task id + fire-time suffix
    std::string title;
    std::string body;
    Date fireAt; // whole minutes, local time
    bool sound = false;

    bool operator==(const CleanupReminder&) const = default;
};

// What a reminder sync does for a document: every pending reminder of the program is removed, then
// `reminders` are scheduled. Permission to notify is asked for only when there is an open task.
struct CleanupReminderPlan {
    bool askPermission = false;
    std::vector<CleanupReminder> reminders;
};

struct CleanupReminders {
    static constexpr std::string_view prefix = "tessarin.cleanup.";
    static constexpr std::string_view title = "Desktop cleanup";

    static std::string body(const std::vector<std::string>& names);
    // The reminders of the open cleanup tasks at `now`, task by task in stored order; none when muted.
    static CleanupReminderPlan plan(const Config& config, Date now, const Calendar& calendar);
};

} // namespace tessarin
