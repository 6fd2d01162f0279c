#pragma once

#include "model/Config.h"
#include "organise/DesktopTimers.h"

#include <QDate>
#include <QLocale>
#include <optional>
#include <string>
#include <vector>

namespace tessarin {

// One circle on the cleanup calendar: an open cleanup task, painted with its members' colours, or the
// end of a running timer, painted with its desktop's colour.
struct CalendarItem {
    enum class Kind { cleanup, timer };

    std::string id; // "clean:" + the task's id, "timer:" + the desktop's name
    Kind kind = Kind::cleanup;
    std::optional<CleanupTask> task;
    std::optional<TimerOp> timer;
    Date date;
    std::vector<std::string> stops; // colours, one per member
    bool mergeable = false;         // a drop target for merging: cleanup tasks only
    bool automatic = false;         // a timer that fires by itself
    bool idle = false;
};

// The open cleanup tasks in stored order (grey for a task whose members have no colour), then the
// running timers.
std::vector<CalendarItem> calendarItems(const Config& config, const std::vector<TimerOp>& timers);

// The 7 × `rows` days shown for the month of `anchor`, starting on the locale's first day of the week
// on or before the first of the month.
std::vector<QDate> monthGrid(const QDate& anchor, Qt::DayOfWeek firstDay, int rows = 6);

} // namespace tessarin
