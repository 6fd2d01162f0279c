#pragma once

#include "model/DesktopCue.h"
#include "model/Enumerations.h"
#include "model/HotKeySpec.h"
#include "model/IconPositions.h"
#include "support/Date.h"

#include <optional>
#include <string>
#include <vector>

namespace tessarin {

// How a temporary desktop's timer counts.
struct ArchiveTimer {
    ArchiveTimerMode mode = ArchiveTimerMode::none;
    int64_t days = 0;

    bool operator==(const ArchiveTimer&) const = default;
};

// One desktop. The name is its identity, its folder name in the store and the value every other
// record stores to point at it.
//
// A plain aggregate: `Workspace::make(name)` is the memberwise form that gives the desktop its
// palette colour; aggregate initialisation leaves `colorHex` empty.
struct Workspace {
    std::string name;
    std::vector<std::string> files;
    IconPositions positions;
    WorkspaceType type = WorkspaceType::permanent;
    std::optional<HotKeySpec> hotkey;
    WorkspaceState state = WorkspaceState::active;
    std::optional<Date> archivedAt;
    std::optional<std::string> archiveLocation;
    std::optional<ArchiveTimer> timer;
    std::optional<std::string> drainTarget;
    bool timerDrains = false;
    ClearMode clearMode = ClearMode::keep;
    std::optional<Date> createdAt;
    std::optional<Date> lastActiveAt;
    std::optional<DesktopCue> cue;
    std::string colorHex;
    bool createsCleanupTask = true;
    std::optional<std::string> spaceUUID;
    AppearanceMode preferredAppearance = AppearanceMode::system;

    // Every field at its default, `colorHex` = DesktopPalette::color(name).
    static Workspace make(std::string name, WorkspaceType type = WorkspaceType::permanent);

    // The clear mode of a stored desktop that has none: move when it drains somewhere, archive when
    // its timer counts, keep otherwise.
    static ClearMode derivedClearMode(const std::optional<std::string>& drainTarget,
                                      const std::optional<ArchiveTimer>& timer);

    const std::string& id() const { return name; }
    const std::string& effectiveColorHex() const { return colorHex; }

    bool operator==(const Workspace&) const = default;
};

} // namespace tessarin
