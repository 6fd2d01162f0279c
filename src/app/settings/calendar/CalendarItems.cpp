#include "settings/calendar/CalendarItems.h"

#include "organise/CleanupTasks.h"

namespace tessarin {

std::vector<CalendarItem> calendarItems(const Config& config, const std::vector<TimerOp>& timers) {
    std::vector<CalendarItem> items;
    for (const auto& task : openCleanupTasks(config)) {
        CalendarItem item;
        item.id = "clean:" + task.id.text();
        item.kind = CalendarItem::Kind::cleanup;
        item.task = task;
        item.date = task.date;
        item.stops = taskColorStops(config, task);
        std::erase_if(item.stops, [](const std::string& hex) { return hex.empty(); });
        if (item.stops.empty())
            item.stops = {"#8E8E93"};
        item.mergeable = true;
        items.push_back(std::move(item));
    }
    for (const auto& op : timers) {
        CalendarItem item;
        item.id = "timer:" + op.workspace;
        item.kind = CalendarItem::Kind::timer;
        item.timer = op;
        item.date = op.date;
        item.stops = {op.colorHex.empty() ? std::string("#8E8E93") : op.colorHex};
        item.automatic = true;
        item.idle = op.idle;
        items.push_back(std::move(item));
    }
    return items;
}

std::vector<QDate> monthGrid(const QDate& anchor, Qt::DayOfWeek firstDay, int rows) {
    const QDate first(anchor.year(), anchor.month(), 1);
    const int back = (first.dayOfWeek() - static_cast<int>(firstDay) + 7) % 7;
    const QDate start = first.addDays(-back);
    std::vector<QDate> days;
    for (int i = 0; i < rows * 7; ++i)
        days.push_back(start.addDays(i));
    return days;
}

} // namespace tessarin
