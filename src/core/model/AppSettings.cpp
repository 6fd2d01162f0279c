#include "model/AppSettings.h"

#include <algorithm>
#include <cmath>

namespace tessarin {
namespace {

// The candidate nearest to `value`; a later candidate replaces the current winner only when
// strictly nearer, so ties go to the earlier one.
template <typename T, std::size_t N> T nearest(double value, const std::pair<T, double> (&candidates)[N]) {
    T winner = candidates[0].first;
    double best = std::fabs(value - candidates[0].second);
    for (std::size_t i = 1; i < N; ++i) {
        const double distance = std::fabs(value - candidates[i].second);
        if (distance < best) {
            best = distance;
            winner = candidates[i].first;
        }
    }
    return winner;
}

bool isSweepLook(SwitchLook look) {
    return look == SwitchLook::vertical || look == SwitchLook::horizontal || look == SwitchLook::angledDown ||
           look == SwitchLook::angledUp;
}

} // namespace

SwitchLook AppSettings::derivedLook(SwitchTransition transition, SwitchBlurStyle blurStyle, double angle) {
    switch (transition) {
    case SwitchTransition::none:
        return SwitchLook::none;
    case SwitchTransition::blur:
        return blurStyle == SwitchBlurStyle::soft ? SwitchLook::soft : SwitchLook::frost;
    case SwitchTransition::sweep:
        break;
    }
    const std::pair<SwitchLook, double> candidates[] = {
        {SwitchLook::vertical, 0.0},
        {SwitchLook::horizontal, 90.0},
        {SwitchLook::angledDown, -20.0},
        {SwitchLook::angledUp, 20.0},
    };
    return nearest(angle, candidates);
}

SwitchSpeed AppSettings::derivedSpeed(int64_t sweepDurationMs) {
    const double reference = 725.0;
    const std::pair<SwitchSpeed, double> candidates[] = {
        {SwitchSpeed::slow, reference * 1.35},
        {SwitchSpeed::normal, reference},
        {SwitchSpeed::fast, reference * 0.7},
    };
    return nearest(static_cast<double>(sweepDurationMs), candidates);
}

SwitchIntensity AppSettings::derivedIntensity(SwitchLook look, double bandFraction, double opacity) {
    if (isSweepLook(look)) {
        const std::pair<SwitchIntensity, double> candidates[] = {
            {SwitchIntensity::subtle, 0.2},
            {SwitchIntensity::medium, 0.45},
            {SwitchIntensity::strong, 0.72},
        };
        return nearest(bandFraction, candidates);
    }
    const std::pair<SwitchIntensity, double> candidates[] = {
        {SwitchIntensity::subtle, 0.3},
        {SwitchIntensity::medium, 0.45},
        {SwitchIntensity::strong, 0.6},
    };
    return nearest(opacity, candidates);
}

int64_t AppSettings::clampCornerDwellMs(int64_t ms) {
    return std::clamp(ms, minCornerDwellMs, maxCornerDwellMs);
}

int64_t AppSettings::clampMoveGapMs(int64_t ms) {
    return std::clamp<int64_t>(ms, 0, maxMoveGapMs);
}

} // namespace tessarin
