// The controller's side of the floating dock and of the hot corner that summons it.
#include "AppController.h"
#include "dock/DockStyle.h"
#include "dock/DockSurface.h"

namespace tessarin {

void AppController::configureFloatingDock() {
    dock_.onSwitch = [this](const std::string& name) { performSwitch(name, true); };
    dock_.onDrop = [this](const std::vector<std::filesystem::path>& files, const std::string& name) {
        env_.log.log(LogCategory::app, "floating dock: %zu item(s) dropped on %{public}s", files.size(),
                     name);
        handleDockDrop(files, name);
    };
    dock_.onMove = [this](const FloatingDockPosition& position) {
        if (!readOrFallback().settings.floatingDockRememberPosition)
            return;
        try {
            mutateConfig(store_, [&](Config& c) { c.settings.floatingDockPosition = position; });
        } catch (...) {
        }
    };
    connect(&spaces_, &SpaceFollowing::activeSpaceChanged, &dock_, &FloatingDock::activeSpaceChanged);
    cornerWatcher_.onTrigger = [this] { cornerTriggered(); };
}

void AppController::applyDockSettings(const Config& document) {
    const AppSettings& s = document.settings;
    dock_.setFlipDuration(s.floatingDockFastTransition ? FloatingDock::fastFlipSeconds
                                                       : FloatingDock::slowFlipSeconds);
    dock_.model().update([&](FloatingDockState& state) {
        state.colorFolders = s.floatingDockColorFolders;
        state.material = s.floatingDockMaterial;
        state.size = s.floatingDockSize;
        state.showFlipButtons = s.floatingDockShowFlipButtons;
    });
    dock_.setAppearance(s.floatingDockAppearance);
    dock_.setAxis(s.floatingDockAxis);
}

void AppController::showDock(const Config& document) {
    const AppSettings& s = document.settings;
    dock_.show(dockSurfaces(document, env_.paths.workspaces), dockAccentHex(s, systemAccentHex()),
               s.floatingDockRememberPosition ? s.floatingDockPosition : std::nullopt);
}

void AppController::reloadFloatingDock() {
    const Config document = readOrFallback();
    applyDockSettings(document);
    dock_.reload(dockSurfaces(document, env_.paths.workspaces),
                 dockAccentHex(document.settings, systemAccentHex()));
}

void AppController::toggleFloatingDock() {
    const Config document = readOrFallback();
    applyDockSettings(document);
    if (dock_.wantsVisible() && !dock_.isParkedElsewhere())
        dock_.hide();
    else
        showDock(document);
}

void AppController::showFloatingDock() {
    if (!dock_.wantsVisible() || dock_.isParkedElsewhere())
        toggleFloatingDock();
}

void AppController::hideFloatingDock() {
    dock_.hide();
}

void AppController::refreshCornerWatcher() {
    const AppSettings s = readOrFallback().settings;
    const auto dwell = AppSettings::clampCornerDwellMs(s.floatingDockCornerDwellMs);
    // Only a change restarts the watcher: a restart would forget a dwell under way.
    if (cornerWatcher_.corner() == s.floatingDockCorner && cornerWatcher_.dwellMs() == dwell)
        return;
    cornerWatcher_.start(s.floatingDockCorner, dwell);
    if (s.floatingDockCorner == FloatingDockCorner::off)
        return;
    const std::string corner(enumName(s.floatingDockCorner));
    if (!cornerWatcher_.available())
        env_.log.log(LogCategory::app, "hot corner %{public}s unavailable: %{public}s", corner,
                     hotCornerUnavailableText());
    else
        env_.log.log(LogCategory::app, "hot corner %{public}s watched, dwell %ld ms", corner, dwell);
    if (const auto occupant = systemHotCorners_->occupant(s.floatingDockCorner))
        env_.log.log(LogCategory::app, "hot corner %{public}s: %{public}s", corner,
                     cornerClashWarning(*occupant));
}

bool AppController::fullScreenActive() {
    const auto space = display_.spaces().activeSpace();
    return (space && !space->isUser) || display_.windowManager().activeWindowFullScreen() == true;
}

void AppController::cornerTriggered() {
    if (busy())
        return;
    const Config document = readOrFallback();
    if (dock_.wantsVisible() && !dock_.isParkedElsewhere()) {
        env_.log.log(LogCategory::app, "hot corner: floating dock hidden");
        dock_.hide();
        return;
    }
    if (document.settings.floatingDockCornerSuppressFullScreen && fullScreenActive()) {
        env_.log.log(LogCategory::app, "hot corner ignored: a full-screen window is active");
        return;
    }
    env_.log.log(LogCategory::app, "hot corner: floating dock shown");
    applyDockSettings(document);
    showDock(document);
}

} // namespace tessarin
