#pragma once

#include "organise/DesktopTimers.h"
#include "settings/SettingsState.h"

#include <optional>
#include <string>
#include <vector>

namespace tessarin {

// The cleanup calendar's operations: cleanup tasks by day and the running timers of temporary
// desktops. Dates given by the calendar are taken by their day (local time).
class CalendarEditor {
public:
    explicit CalendarEditor(SettingsState& state) : state_(state) {}

    // The open cleanup tasks that fall on the calendar day of `day`.
    std::vector<CleanupTask> cleanupCandidates(Date day) const;
    bool setCleanupDate(const std::string& name, Date date);
    bool rescheduleTask(const Uuid& id, Date date);
    bool mergeTasks(const Uuid& source, const Uuid& target);
    // Gives the desktop a task of its own on `date`'s day, out of the task it shares.
    bool splitMember(const std::string& name, Date date);
    bool removeCleanup(const std::string& name);

    std::vector<TimerOp> timerOps() const;
    std::vector<TimerOp> timerOps(Date day) const;
    bool rescheduleTimer(const std::string& name, Date date);
    bool setAutoCompletion(const std::string& name, const std::optional<ArchiveTimer>& timer, bool drains);
    bool setClearDestination(const std::string& name, ClearMode mode, const std::optional<std::string>& home);

private:
    SettingsState& state_;
};

} // namespace tessarin
