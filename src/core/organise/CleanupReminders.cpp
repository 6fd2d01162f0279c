#include "organise/CleanupReminders.h"

#include "organise/CleanupSchedule.h"
#include "organise/CleanupTasks.h"

namespace tessarin {

std::string CleanupReminders::body(const std::vector<std::string>& names) {
    if (names.empty())
        return "You have desktops to sort.";
    if (names.size() == 1)
        return "\u201c" + names.front() + "\u201d is still waiting to be sorted.";
    std::string joined;
    for (const auto& name : names)
        joined += (joined.empty() ? "" : ", ") + name;
    return "Desktops still waiting to be sorted: " + joined + ".";
}

CleanupReminderPlan CleanupReminders::plan(const Config& config, Date now, const Calendar& calendar) {
    CleanupReminderPlan plan;
    const AppSettings& settings = config.settings;
    if (settings.muteCleanupNotifications)
        return plan;
    const auto tasks = openCleanupTasks(config);
    plan.askPermission = !tasks.empty();
    for (const auto& task : tasks) {
        const std::string text = body(task.members);
        for (const auto& fire : CleanupSchedule::fireTimes(task.date, now, settings.cleanupNotifyMinutes,
                                                           settings.cleanupNotifyRepeat, calendar)) {
            plan.reminders.push_back({std::string(prefix) + task.id.text() + fire.suffix, std::string(title),
                                      text, fire.date, settings.cleanupNotifySound});
        }
    }
    return plan;
}

} // namespace tessarin
