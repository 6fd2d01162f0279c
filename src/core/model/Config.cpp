#include "model/Config.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace tessarin {
namespace {

bool isLive(const Workspace& w) {
    return w.state == WorkspaceState::active && w.name != Config::blankWorkspaceName;
}

template <typename Keep> std::vector<Workspace> copyIf(const std::vector<Workspace>& all, Keep keep) {
    std::vector<Workspace> result;
    for (const auto& w : all)
        if (keep(w))
            result.push_back(w);
    return result;
}

// Archive time for sorting: a missing (or NaN) date counts as the most distant past.
double archiveKey(const Workspace& w) {
    if (!w.archivedAt || std::isnan(w.archivedAt->secondsSinceReference))
        return -std::numeric_limits<double>::infinity();
    return w.archivedAt->secondsSinceReference;
}

} // namespace

std::vector<Workspace> Config::liveWorkspaces() const {
    return copyIf(workspaces, isLive);
}

std::vector<Workspace> Config::switchableWorkspaces() const {
    return copyIf(workspaces,
                  [](const Workspace& w) { return isLive(w) && w.type == WorkspaceType::permanent; });
}

std::vector<Workspace> Config::archivedWorkspaces() const {
    auto archived = copyIf(workspaces, [](const Workspace& w) { return w.state != WorkspaceState::active; });
    std::stable_sort(archived.begin(), archived.end(),
                     [](const Workspace& a, const Workspace& b) { return archiveKey(a) > archiveKey(b); });
    return archived;
}

std::vector<Workspace> Config::unsortedWorkspaces() const {
    auto archived = archivedWorkspaces();
    std::erase_if(archived, [](const Workspace& w) { return w.state != WorkspaceState::archivedUnsorted; });
    return archived;
}

Workspace* Config::findWorkspace(std::string_view name) {
    const auto it = std::find_if(workspaces.begin(), workspaces.end(),
                                 [&](const Workspace& w) { return w.name == name; });
    return it == workspaces.end() ? nullptr : &*it;
}

const Workspace* Config::findWorkspace(std::string_view name) const {
    return const_cast<Config*>(this)->findWorkspace(name);
}

std::optional<Workspace> Config::workspaceBoundToSpace(std::string_view spaceUuid) const {
    for (const auto& w : workspaces)
        if (isLive(w) && w.spaceUUID && *w.spaceUUID == spaceUuid)
            return w;
    return std::nullopt;
}

std::optional<std::string> Config::expandTarget() const {
    const auto live = [&](std::string_view name) {
        return std::any_of(workspaces.begin(), workspaces.end(),
                           [&](const Workspace& w) { return isLive(w) && w.name == name; });
    };
    if (lastExpandedWorkspace && live(*lastExpandedWorkspace))
        return lastExpandedWorkspace;
    for (const auto& w : workspaces)
        if (isLive(w))
            return w.name;
    return std::nullopt;
}

std::vector<HotKeyAssignment> Config::hotKeyAssignments() const {
    using Kind = HotKeyAssignment::Owner::Kind;
    std::vector<HotKeyAssignment> result;
    for (const auto& w : workspaces)
        if (isLive(w) && w.hotkey)
            result.push_back({HotKeyAssignment::Owner::forWorkspace(w.name), *w.hotkey});
    const std::pair<Kind, const std::optional<HotKeySpec>*> shortcuts[] = {
        {Kind::cycleNext, &settings.cycleNext},
        {Kind::cyclePrevious, &settings.cyclePrevious},
        {Kind::hideDesktop, &settings.hideDesktopShortcut},
        {Kind::switchToLast, &settings.switchToLastShortcut},
        {Kind::openSettings, &settings.openSettingsShortcut},
        {Kind::openCalendar, &settings.openCalendarShortcut},
        {Kind::sortNow, &settings.sortNowShortcut},
        {Kind::floatingDock, &settings.floatingDockShortcut},
    };
    for (const auto& [kind, spec] : shortcuts)
        if (*spec)
            result.push_back({HotKeyAssignment::Owner::of(kind), **spec});
    return result;
}

void Config::updateWorkspace(std::string_view name, const std::function<void(Workspace&)>& change) {
    if (Workspace* w = findWorkspace(name))
        change(*w);
}

void Config::bindWorkspace(std::string_view name, const std::optional<std::string>& spaceUuid) {
    if (spaceUuid) {
        for (auto& w : workspaces)
            if (w.spaceUUID == spaceUuid)
                w.spaceUUID.reset();
    }
    if (Workspace* w = findWorkspace(name))
        w->spaceUUID = spaceUuid;
}

void Config::renameDrainTarget(std::string_view oldName, std::string_view newName) {
    if (oldName == newName)
        return;
    for (auto& w : workspaces)
        if (w.drainTarget && *w.drainTarget == oldName)
            w.drainTarget = std::string(newName);
}

void Config::clearDrainRoutes(std::string_view name) {
    for (auto& w : workspaces) {
        if (w.drainTarget && *w.drainTarget == name) {
            w.drainTarget.reset();
            w.timerDrains = false;
        }
    }
}

void Config::renameCustomFilterCollection(std::string_view oldName, std::string_view newName) {
    if (oldName == newName)
        return;
    for (auto& filter : settings.customFilters)
        if (filter.collection == oldName)
            filter.collection = std::string(newName);
}

Config makeDefaultConfig() {
    Config config;
    config.schemaVersion = Config::currentSchemaVersion;
    config.activeWorkspace = std::string(Config::blankWorkspaceName);
    return config;
}

} // namespace tessarin
