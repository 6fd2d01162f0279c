#pragma once

#include "model/AppSettings.h"
#include "model/CleanupTask.h"
#include "model/HotKeyAssignment.h"
#include "model/Workspace.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tessarin {

// The whole stored state: the desktops, which one is on the Desktop, the settings and the cleanup
// tasks. Queries return copies; mutations change the document in place. Desktop names are compared
// by exact string equality; "first" means first in the order of `workspaces`.
struct Config {
    static constexpr int64_t currentSchemaVersion = 1;
    static constexpr std::string_view blankWorkspaceName = "_Hidden Desktop";
    static constexpr std::string_view defaultScreenshotsWorkspaceName = "Screenshots";

    int64_t schemaVersion = currentSchemaVersion;
    std::string activeWorkspace = std::string(blankWorkspaceName);
    std::vector<Workspace> workspaces;
    AppSettings settings;
    std::vector<CleanupTask> cleanupTasks;
    std::optional<std::string> lastExpandedWorkspace;

    // Queries.

    // State active and not the blank desktop, in document order.
    std::vector<Workspace> liveWorkspaces() const;
    // Live and permanent, in document order.
    std::vector<Workspace> switchableWorkspaces() const;
    // State not active, newest `archivedAt` first (stable; a missing date sorts last).
    std::vector<Workspace> archivedWorkspaces() const;
    // The archivedUnsorted members of archivedWorkspaces(), in that order.
    std::vector<Workspace> unsortedWorkspaces() const;
    // In-place access to the first desktop with that name; null when there is none. The pointer is
    // valid until `workspaces` is next resized.
    Workspace* findWorkspace(std::string_view name);
    const Workspace* findWorkspace(std::string_view name) const;
    // The first live desktop bound to that Space.
    std::optional<Workspace> workspaceBoundToSpace(std::string_view spaceUuid) const;
    // The desktop to show when the Desktop is un-hidden: lastExpandedWorkspace when it names a live
    // desktop, else the first live desktop, else none.
    std::optional<std::string> expandTarget() const;
    // Every shortcut in use: live desktops' own first (document order), then the settings' shortcuts.
    std::vector<HotKeyAssignment> hotKeyAssignments() const;

    // Mutations.

    // Applies `change` to the first desktop with that name; nothing when there is none.
    void updateWorkspace(std::string_view name, const std::function<void(Workspace&)>& change);
    // Binds the Space to the named desktop (taking it from any other desktop first); none unbinds.
    void bindWorkspace(std::string_view name, const std::optional<std::string>& spaceUuid);
    void renameDrainTarget(std::string_view oldName, std::string_view newName);
    // Every desktop draining into `name` stops draining (no target, timerDrains off).
    void clearDrainRoutes(std::string_view name);
    void renameCustomFilterCollection(std::string_view oldName, std::string_view newName);

    bool operator==(const Config&) const = default;
};

// The document made when nothing is stored: schema 1, the blank desktop active, nothing else.
Config makeDefaultConfig();

} // namespace tessarin
