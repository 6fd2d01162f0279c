#include "organise/CleanupTasks.h"

#include <algorithm>

namespace tessarin {

namespace {

bool lists(const CleanupTask& task, std::string_view name) {
    return std::find(task.members.begin(), task.members.end(), name) != task.members.end();
}

CleanupTask* taskWithId(Config& config, const Uuid& id) {
    for (auto& task : config.cleanupTasks)
        if (task.id == id)
            return &task;
    return nullptr;
}

void dropEmptyTasks(Config& config) {
    std::erase_if(config.cleanupTasks, [](const CleanupTask& task) { return task.members.empty(); });
}

void appendTask(Config& config, const std::string& name, Date date) {
    CleanupTask task;
    task.members = {name};
    task.date = date;
    config.cleanupTasks.push_back(std::move(task));
}

} // namespace

void addCleanupTask(Config& config, const std::string& name, Date date) {
    const bool listed = std::any_of(config.cleanupTasks.begin(), config.cleanupTasks.end(),
                                    [&](const CleanupTask& task) { return lists(task, name); });
    if (!listed)
        appendTask(config, name, date);
}

void setCleanupDate(Config& config, const std::string& name, Date date) {
    removeCleanupMember(config, name);
    for (auto& task : config.cleanupTasks) {
        if (task.date == date) {
            if (!lists(task, name))
                task.members.push_back(name);
            return;
        }
    }
    appendTask(config, name, date);
}

void removeCleanupMember(Config& config, std::string_view name) {
    for (auto& task : config.cleanupTasks)
        std::erase(task.members, name);
    dropEmptyTasks(config);
}

void renameCleanupMember(Config& config, std::string_view oldName, std::string_view newName) {
    if (oldName == newName)
        return;
    for (auto& task : config.cleanupTasks)
        std::replace(task.members.begin(), task.members.end(), std::string(oldName), std::string(newName));
}

void rescheduleCleanupTask(Config& config, const Uuid& id, Date date) {
    if (CleanupTask* task = taskWithId(config, id))
        task->date = date;
}

void mergeCleanupTasks(Config& config, const Uuid& source, const Uuid& target) {
    if (source == target || !taskWithId(config, source) || !taskWithId(config, target))
        return;
    const auto from = std::find_if(config.cleanupTasks.begin(), config.cleanupTasks.end(),
                                   [&](const CleanupTask& task) { return task.id == source; });
    const std::vector<std::string> members = std::move(from->members);
    config.cleanupTasks.erase(from);
    CleanupTask* into = taskWithId(config, target);
    for (const auto& name : members)
        if (!lists(*into, name))
            into->members.push_back(name);
}

void splitMember(Config& config, const std::string& name, Date date) {
    const auto task = std::find_if(config.cleanupTasks.begin(), config.cleanupTasks.end(),
                                   [&](const CleanupTask& t) { return lists(t, name); });
    if (task == config.cleanupTasks.end())
        return;
    if (task->members.size() < 2) {
        task->date = date;
        return;
    }
    std::erase(task->members, name);
    appendTask(config, name, date);
}

void pruneCleanupTasks(Config& config) {
    const auto valid = [&](const std::string& name) {
        return std::any_of(config.workspaces.begin(), config.workspaces.end(), [&](const Workspace& w) {
            return w.name == name &&
                   (w.state == WorkspaceState::active || w.state == WorkspaceState::archivedUnsorted);
        });
    };
    for (auto& task : config.cleanupTasks)
        std::erase_if(task.members, [&](const std::string& name) { return !valid(name); });
    dropEmptyTasks(config);
}

std::vector<CleanupTask> openCleanupTasks(const Config& config) {
    std::vector<CleanupTask> open;
    for (const auto& task : config.cleanupTasks) {
        CleanupTask narrowed = task;
        std::erase_if(narrowed.members, [&](const std::string& name) {
            const Workspace* w = config.findWorkspace(name);
            return w == nullptr || w->state == WorkspaceState::archivedSorted;
        });
        if (!narrowed.members.empty())
            open.push_back(std::move(narrowed));
    }
    return open;
}

std::vector<std::string> taskColorStops(const Config& config, const CleanupTask& task) {
    std::vector<std::string> colors;
    for (const auto& name : task.members)
        if (const Workspace* w = config.findWorkspace(name))
            colors.push_back(w->effectiveColorHex());
    return colors;
}

} // namespace tessarin
