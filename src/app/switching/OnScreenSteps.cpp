#include "switching/OnScreenSteps.h"

#include <QTimer>
#include <algorithm>

namespace tessarin {

namespace {

double seconds(int64_t milliseconds) {
    return static_cast<double>(milliseconds) / 1000.0;
}

} // namespace

OnScreenSteps::OnScreenSteps(StateStore& store, Log& log, const Clock& clock,
                             std::unique_ptr<OverlayWindowing> windowing,
                             std::unique_ptr<AppearanceSwitch> appearance, QObject* parent)
    : QObject(parent), store_(store), log_(log), clock_(clock), windowing_(std::move(windowing)),
      appearance_(std::move(appearance)), baseline_(*appearance_), images_(log),
      cue_(*windowing_, images_, log), transition_(*windowing_, log) {}

OnScreenSteps::~OnScreenSteps() = default;

Config OnScreenSteps::readOrFallback() {
    try {
        return store_.loadConfig();
    } catch (...) {
        return makeDefaultConfig();
    }
}

void OnScreenSteps::startCover(const AppSettings& s) {
    switch (s.switchTransition) {
    case SwitchTransition::none:
        break;
    case SwitchTransition::blur:
        transition_.cover(SwitchTransition::blur, s.switchBlurStyle, s.switchBlurOpacity,
                          seconds(s.switchFadeInMs));
        break;
    case SwitchTransition::sweep:
        transition_.sweep(s.switchBlurStyle, s.switchBlurOpacity, s.sweepBandFraction,
                          seconds(s.sweepDurationMs), seconds(s.sweepStartDelayMs), s.sweepAngleDegrees);
        break;
    }
}

void OnScreenSteps::updateCueOverlay(const std::optional<std::string>& name) {
    const Config document = readOrFallback();
    const Workspace* desktop = document.findWorkspace(name.value_or(document.activeWorkspace));
    const bool shown = desktop && desktop->cue && desktop->cue->enabled && !document.settings.overlaysMuted;
    cue_.setCurrent(shown ? desktop->cue : std::nullopt);
    cue_.relayout();
    transition_.raise();
}

void OnScreenSteps::applyAppearance(const std::string& name, const Config& document) {
    baseline_.apply(document, name);
}

void OnScreenSteps::revealWhenSettled(SwitchTransition transition, const std::string& target,
                                      std::chrono::steady_clock::time_point coverStart) {
    if (transition != SwitchTransition::blur)
        return;
    const Config document = readOrFallback();
    const AppSettings& s = document.settings;
    const double hold = seconds(s.switchRevealHoldMs);
    const double fadeOut = seconds(s.switchFadeOutMs);
    const auto earliest = coverStart + std::chrono::milliseconds(s.switchMinDurationMs);
    const quint64 cover = transition_.coverNumber();

    // Saved positions matter only when Tessarin places the icons itself; a host keeping its own
    // layout is asked with none.
    IconPositions expected;
    if (!s.nativePositions)
        if (const Workspace* w = document.findWorkspace(target))
            for (const auto& file : w->files)
                if (const IconPosition* p = w->positions.find(file))
                    expected.set(file, *p);
    const bool nothingToWaitFor = !iconsSettled_ || (!s.nativePositions && expected.empty());
    if (nothingToWaitFor || iconsSettled_(target, expected)) {
        scheduleReveal(cover, hold, fadeOut, earliest);
        return;
    }
    QTimer::singleShot(settlePollMs, this,
                       [=, this] { settlePoll(target, expected, 0, cover, hold, fadeOut, earliest); });
}

void OnScreenSteps::settlePoll(const std::string& target, const IconPositions& expected, int attempt,
                               quint64 cover, double holdSeconds, double fadeOutSeconds,
                               std::chrono::steady_clock::time_point earliest) {
    const int next = attempt + 1;
    if (iconsSettled_(target, expected) || next >= settleAttempts) {
        scheduleReveal(cover, holdSeconds, fadeOutSeconds, earliest);
        return;
    }
    QTimer::singleShot(settlePollMs, this, [=, this] {
        settlePoll(target, expected, next, cover, holdSeconds, fadeOutSeconds, earliest);
    });
}

void OnScreenSteps::scheduleReveal(quint64 cover, double holdSeconds, double fadeOutSeconds,
                                   std::chrono::steady_clock::time_point earliest) {
    const double untilEarliest = std::chrono::duration<double>(earliest - clock_.steadyNow()).count();
    const double delay = std::max(untilEarliest, holdSeconds);
    QTimer::singleShot(std::max(0, static_cast<int>(delay * 1000)), this, [this, cover, fadeOutSeconds] {
        // A later switch put up its own cover; its own reveal takes it down.
        if (cover == transition_.coverNumber())
            transition_.reveal(SwitchTransition::blur, fadeOutSeconds);
    });
}

void OnScreenSteps::previewTransition() {
    const AppSettings s = readOrFallback().settings;
    if (s.switchTransition == SwitchTransition::sweep) {
        startCover(s);
        return;
    }
    if (s.switchTransition != SwitchTransition::blur)
        return;
    startCover(s);
    const quint64 cover = transition_.coverNumber();
    QTimer::singleShot(220, this, [this, cover, fadeOut = seconds(s.switchFadeOutMs)] {
        if (cover == transition_.coverNumber())
            transition_.reveal(SwitchTransition::blur, fadeOut);
    });
}

} // namespace tessarin
