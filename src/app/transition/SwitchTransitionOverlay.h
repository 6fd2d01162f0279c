#pragma once

#include "model/Enumerations.h"
#include "support/Log.h"
#include "transition/TransitionWindows.h"

#include <QObject>
#include <QPointer>
#include <memory>
#include <vector>

namespace tessarin {

class OverlayWindowing;

// What covers the Desktop while a switch moves its items, on every screen, above the wallpaper cue
// and below ordinary windows: the blur cover (faded in, held by the switch sequence, faded out once
// the icons have settled) or the sweep (a soft band of blur that crosses each screen and ends by
// itself). Without a compositor the fades become a plain show and hide.
class SwitchTransitionOverlay : public QObject {
    Q_OBJECT
public:
    static constexpr int sweepEndMs = 50; // the sweep's windows stay this long after the band crossed

    SwitchTransitionOverlay(OverlayWindowing& windowing, Log& log, QObject* parent = nullptr);
    ~SwitchTransitionOverlay() override;

    // Replaces any cover with a new one and returns once it is on screen. Nothing for a style other
    // than blur.
    void cover(SwitchTransition style, SwitchBlurStyle blurStyle, double peakOpacity, double fadeInSeconds);
    // Fades the cover out from wherever its fade-in is; nothing when no cover is up.
    void reveal(SwitchTransition style, double fadeOutSeconds);
    void sweep(SwitchBlurStyle blurStyle, double peakOpacity, double bandFraction, double durationSeconds,
               double startDelaySeconds, double angleDegrees);
    void teardown();
    void teardownSweep();
    // Puts the transition's windows back above the cue's (after new cue windows were shown).
    void raise();

    // Counts the covers put up: a reveal planned for one cover leaves a later cover alone.
    quint64 coverNumber() const { return coverNumber_; }
    bool sweeping() const { return !sweeps_.empty(); }

private:
    OverlayWindowing& windowing_;
    Log& log_;
    std::vector<std::unique_ptr<CoverWindow>> covers_;
    std::vector<std::unique_ptr<SweepWindow>> sweeps_;
    std::vector<std::unique_ptr<CoverWindow>> fading_; // revealed, until their fade-out ends
    quint64 coverNumber_ = 0;
    quint64 sweepNumber_ = 0;
};

} // namespace tessarin
