#pragma once

#include "alerts/Alerts.h"
#include "session/SwitchObserver.h"
#include "store/Paths.h"
#include "store/StateStore.h"

#include <QObject>
#include <functional>

namespace tessarin {

class FolderOpener;

// The agent's steps around each switch (the sequence runs the sweeps itself): the cover before it, the
// target's cue and appearance before the swap, after it the menu, the settings, the icon's animation,
// the note after a first switch, the reveal and the note about pinned names; errors as alerts.
class AgentSwitchObserver : public QObject, public SwitchObserver {
    Q_OBJECT
public:
    static constexpr int firstSwitchNoteDelayMs = 1000;

    struct Steps {
        std::function<void()> rebuildMenu;
        std::function<void()> reloadSettingsModel; // empty until the settings model exists
        std::function<void(MenuBarAnimation)> playIconAnimation;
        std::function<void()> pauseDesktopWatcher;
        std::function<void()> afterSwitch; // adopt the workspace shown now, resume the Desktop watcher
        std::function<void(const AppSettings&)> startCover;
        // The wallpaper cue and the appearance of the target.
        std::function<void(const Config&, const std::string&)> prepareTarget;
        std::function<void(SwitchTransition, const std::string&, std::chrono::steady_clock::time_point)>
            revealWhenSettled;
    };

    AgentSwitchObserver(const Paths& paths, StateStore& store, Alerts& alerts, FolderOpener& opener,
                        Steps steps, QObject* parent = nullptr);

    void willSwitch(const Config& document, const std::string& leaving, const std::string& target) override;
    void prepareTarget(const Config& document, const std::string& target) override;
    void present(const std::exception& error) override;
    void swapped() override;
    void didSwitch(const std::string& leaving, const std::string& target, bool userInitiated,
                   std::chrono::steady_clock::time_point coverStart) override;
    void notePinnedSkips(const std::vector<std::string>& names) override;
    void finished() override;

    void showFirstSwitchNoteIfNeeded(const std::string& leaving, const std::string& target);

private:
    Config readOrFallback();

    const Paths& paths_;
    StateStore& store_;
    Alerts& alerts_;
    FolderOpener& opener_;
    Steps steps_;
    SwitchTransition transition_ = SwitchTransition::none; // of the switch running
};

} // namespace tessarin
