#include "icon/MenuBarIconAnimator.h"

#include <algorithm>

namespace tessarin {

MenuBarIconAnimator::MenuBarIconAnimator(QObject* parent) : QObject(parent) {
    timer_.setInterval(frameIntervalMs);
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, &MenuBarIconAnimator::tick);
}

void MenuBarIconAnimator::install(Show show) {
    show_ = std::move(show);
    if (show_)
        show_(restingWidths_, restingRadii_);
}

void MenuBarIconAnimator::playSwitch(MenuBarAnimation style) {
    if (style == MenuBarAnimation::none || !show_)
        return;
    // A running animation stops where it is; the new one starts from the resting shape.
    timer_.stop();
    if (style == MenuBarAnimation::nudge)
        play(glyphAnimation::nudgeSeconds, nudgeFrame(restingWidths_));
    else
        play(glyphAnimation::mirrorSeconds, mirrorFrame(restingWidths_));
}

void MenuBarIconAnimator::play(double seconds, GlyphFrame frame) {
    duration_ = seconds;
    frame_ = std::move(frame);
    clock_.start();
    timer_.start();
}

void MenuBarIconAnimator::tick() {
    const double p = std::min(static_cast<double>(clock_.nsecsElapsed()) / 1e9 / duration_, 1.0);
    const BarLengths widths = frame_(p);
    const BarLengths radii = radiiFor(widths);
    if (show_)
        show_(widths, radii);
    if (p >= 1) {
        restingWidths_ = widths;
        restingRadii_ = radii;
        timer_.stop();
    }
}

void MenuBarIconAnimator::resetToRest() {
    timer_.stop();
    restingWidths_ = glyph::restingWidths;
    restingRadii_ = glyph::restingRadii;
    if (show_)
        show_(restingWidths_, restingRadii_);
}

} // namespace tessarin
