#include "organise/DesktopTimers.h"

#include <algorithm>

namespace tessarin {

namespace {

constexpr double secondsPerDay = 86400;

bool counts(const std::optional<ArchiveTimer>& timer) {
    return timer && timer->mode != ArchiveTimerMode::none;
}

bool isLive(const Workspace& w) {
    return w.state == WorkspaceState::active && w.name != Config::blankWorkspaceName;
}

} // namespace

std::optional<Date> timerReference(const Workspace& workspace) {
    if (!counts(workspace.timer))
        return std::nullopt;
    if (workspace.timer->mode == ArchiveTimerMode::idle && workspace.lastActiveAt)
        return workspace.lastActiveAt;
    return workspace.createdAt;
}

bool archiveDue(const Workspace& workspace, Date now) {
    if (workspace.state != WorkspaceState::active || workspace.type != WorkspaceType::temporary)
        return false;
    const auto reference = timerReference(workspace);
    if (!reference)
        return false;
    return now >= reference->addingSeconds(static_cast<double>(workspace.timer->days) * secondsPerDay);
}

std::vector<TimerOp> timerOps(const Config& config, const Calendar& calendar) {
    std::vector<TimerOp> ops;
    for (const auto& w : config.workspaces) {
        if (!isLive(w) || w.type != WorkspaceType::temporary)
            continue;
        const auto reference = timerReference(w);
        if (!reference)
            continue;
        TimerOp op;
        op.workspace = w.name;
        op.date =
            calendar.startOfDay(reference->addingSeconds(static_cast<double>(w.timer->days) * secondsPerDay));
        op.colorHex = w.effectiveColorHex();
        op.drains = w.timerDrains && w.drainTarget.has_value();
        if (op.drains)
            op.drainTarget = w.drainTarget;
        op.idle = w.timer->mode == ArchiveTimerMode::idle;
        ops.push_back(std::move(op));
    }
    return ops;
}

std::vector<TimerOp> timerOps(const Config& config, Date day, const Calendar& calendar) {
    auto ops = timerOps(config, calendar);
    std::erase_if(ops, [&](const TimerOp& op) { return !calendar.isSameDay(op.date, day); });
    return ops;
}

void rescheduleTimer(Config& config, const std::string& name, Date date, const Calendar& calendar) {
    config.updateWorkspace(name, [&](Workspace& w) {
        const auto reference = timerReference(w);
        if (!reference)
            return;
        const long days = calendar.daysBetween(*reference, date);
        w.timer->days = std::max<int64_t>(1, days);
    });
}

void setClearDestination(Config& config, const std::string& name, ClearMode mode,
                         const std::optional<std::string>& home) {
    config.updateWorkspace(name, [&](Workspace& w) {
        w.clearMode = mode;
        switch (mode) {
        case ClearMode::keep:
            w.drainTarget.reset();
            w.timer.reset();
            w.timerDrains = false;
            break;
        case ClearMode::move:
            w.drainTarget = home;
            w.timerDrains = true;
            break;
        case ClearMode::archive:
            w.drainTarget.reset();
            w.timerDrains = false;
            break;
        }
    });
}

void setAutoCompletion(Config& config, const std::string& name, const std::optional<ArchiveTimer>& timer,
                       bool drains) {
    config.updateWorkspace(name, [&](Workspace& w) {
        w.timer = timer;
        w.timerDrains = drains;
    });
}

} // namespace tessarin
