#include "settings/CalendarEditor.h"

#include "organise/CleanupTasks.h"

namespace tessarin {

std::vector<CleanupTask> CalendarEditor::cleanupCandidates(Date day) const {
    std::vector<CleanupTask> result;
    for (auto& task : openCleanupTasks(state_.config()))
        if (state_.calendar().isSameDay(task.date, day))
            result.push_back(std::move(task));
    return result;
}

bool CalendarEditor::setCleanupDate(const std::string& name, Date date) {
    const Date day = state_.calendar().startOfDay(date);
    return state_.apply([&](Config& c) { tessarin::setCleanupDate(c, name, day); });
}

bool CalendarEditor::rescheduleTask(const Uuid& id, Date date) {
    const Date day = state_.calendar().startOfDay(date);
    return state_.apply([&](Config& c) { rescheduleCleanupTask(c, id, day); });
}

bool CalendarEditor::mergeTasks(const Uuid& source, const Uuid& target) {
    return state_.apply([&](Config& c) { mergeCleanupTasks(c, source, target); });
}

bool CalendarEditor::splitMember(const std::string& name, Date date) {
    const Date day = state_.calendar().startOfDay(date);
    return state_.apply([&](Config& c) { tessarin::splitMember(c, name, day); });
}

bool CalendarEditor::removeCleanup(const std::string& name) {
    return state_.apply([&](Config& c) { removeCleanupMember(c, name); });
}

std::vector<TimerOp> CalendarEditor::timerOps() const {
    return tessarin::timerOps(state_.config(), state_.calendar());
}

std::vector<TimerOp> CalendarEditor::timerOps(Date day) const {
    return tessarin::timerOps(state_.config(), day, state_.calendar());
}

bool CalendarEditor::rescheduleTimer(const std::string& name, Date date) {
    return state_.apply([&](Config& c) { tessarin::rescheduleTimer(c, name, date, state_.calendar()); });
}

bool CalendarEditor::setAutoCompletion(const std::string& name, const std::optional<ArchiveTimer>& timer,
                                       bool drains) {
    return state_.apply([&](Config& c) { tessarin::setAutoCompletion(c, name, timer, drains); });
}

bool CalendarEditor::setClearDestination(const std::string& name, ClearMode mode,
                                         const std::optional<std::string>& home) {
    return state_.apply([&](Config& c) { tessarin::setClearDestination(c, name, mode, home); });
}

} // namespace tessarin
