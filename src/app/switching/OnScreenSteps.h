#pragma once

#include "cue/CueImageCache.h"
#include "cue/DesktopCueOverlay.h"
#include "display/OverlayWindowing.h"
#include "session/AppearanceBaseline.h"
#include "store/StateStore.h"
#include "support/Clock.h"
#include "support/Log.h"
#include "transition/SwitchTransitionOverlay.h"

#include <QObject>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace tessarin {

// Whether the icon host shows the incoming desktop's icons where they belong: `expected` holds the
// saved positions the host must report (empty when the host keeps its own layout).
using IconsSettled = std::function<bool(const std::string& target, const IconPositions& expected)>;

// The steps of a switch that the user sees: the transition's cover, the wallpaper cue and the
// light/dark appearance of the target, and the reveal once the icons have settled.
class OnScreenSteps : public QObject {
    Q_OBJECT
public:
    static constexpr int settlePollMs = 30;
    static constexpr int settleAttempts = 12;

    OnScreenSteps(StateStore& store, Log& log, const Clock& clock,
                  std::unique_ptr<OverlayWindowing> windowing, std::unique_ptr<AppearanceSwitch> appearance,
                  QObject* parent = nullptr);
    ~OnScreenSteps() override;

    // The icon host's settled test; without one the Desktop counts as settled at once.
    void setIconsSettled(IconsSettled settled) { iconsSettled_ = std::move(settled); }

    // The blur cover or the sweep the settings ask for.
    void startCover(const AppSettings& settings);
    // The cue of desktop `name` (the active one when none), unless muted or disabled.
    void updateCueOverlay(const std::optional<std::string>& name = std::nullopt);
    void applyAppearance(const std::string& name, const Config& document);
    // Plans the blur cover's reveal: no earlier than switchMinDurationMs after `coverStart`, and
    // switchRevealHoldMs after the icons settled (or the settle poll gave up).
    void revealWhenSettled(SwitchTransition transition, const std::string& target,
                           std::chrono::steady_clock::time_point coverStart);
    // The current transition once, as the settings window's preview.
    void previewTransition();

    SwitchTransitionOverlay& transition() { return transition_; }

private:
    Config readOrFallback();
    void settlePoll(const std::string& target, const IconPositions& expected, int attempt, quint64 cover,
                    double holdSeconds, double fadeOutSeconds,
                    std::chrono::steady_clock::time_point earliest);
    void scheduleReveal(quint64 cover, double holdSeconds, double fadeOutSeconds,
                        std::chrono::steady_clock::time_point earliest);

    StateStore& store_;
    Log& log_;
    const Clock& clock_;
    std::unique_ptr<OverlayWindowing> windowing_;
    std::unique_ptr<AppearanceSwitch> appearance_;
    AppearanceBaseline baseline_;
    CueImageCache images_;
    DesktopCueOverlay cue_;
    SwitchTransitionOverlay transition_;
    IconsSettled iconsSettled_;
};

} // namespace tessarin
