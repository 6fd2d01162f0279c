#include "model/Workspace.h"

#include "model/DesktopPalette.h"

namespace tessarin {

Workspace Workspace::make(std::string name, WorkspaceType type) {
    Workspace w;
    w.colorHex = DesktopPalette::color(name);
    w.name = std::move(name);
    w.type = type;
    return w;
}

ClearMode Workspace::derivedClearMode(const std::optional<std::string>& drainTarget,
                                      const std::optional<ArchiveTimer>& timer) {
    if (drainTarget)
        return ClearMode::move;
    if (timer && timer->mode != ArchiveTimerMode::none)
        return ClearMode::archive;
    return ClearMode::keep;
}

} // namespace tessarin
