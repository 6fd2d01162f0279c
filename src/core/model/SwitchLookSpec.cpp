#include "model/SwitchLookSpec.h"

#include <cmath>

namespace tessarin::SwitchLookSpec {

namespace {

std::size_t level(SwitchIntensity intensity) {
    return static_cast<std::size_t>(intensity);
}

int64_t scaled(int64_t base, double f) {
    return std::llround(static_cast<double>(base) * f);
}

} // namespace

bool isSweep(SwitchLook look) {
    switch (look) {
    case SwitchLook::vertical:
    case SwitchLook::horizontal:
    case SwitchLook::angledDown:
    case SwitchLook::angledUp:
        return true;
    case SwitchLook::none:
    case SwitchLook::frost:
    case SwitchLook::soft:
    case SwitchLook::dark:
        break;
    }
    return false;
}

SwitchTransition transition(SwitchLook look) {
    if (look == SwitchLook::none)
        return SwitchTransition::none;
    return isSweep(look) ? SwitchTransition::sweep : SwitchTransition::blur;
}

SwitchBlurStyle blurStyle(SwitchLook look) {
    switch (look) {
    case SwitchLook::soft:
        return SwitchBlurStyle::soft;
    case SwitchLook::dark:
        return SwitchBlurStyle::dark;
    default:
        return SwitchBlurStyle::frost;
    }
}

std::optional<double> angle(SwitchLook look) {
    switch (look) {
    case SwitchLook::vertical:
        return 0.0;
    case SwitchLook::horizontal:
        return 90.0;
    case SwitchLook::angledDown:
        return -20.0;
    case SwitchLook::angledUp:
        return 20.0;
    default:
        return std::nullopt;
    }
}

double opacity(SwitchIntensity intensity, SwitchLook look) {
    constexpr double blur[] = {0.3, 0.45, 0.6};
    constexpr double sweep[] = {0.36, 0.5, 0.42}; // strong is lighter than medium on purpose
    return isSweep(look) ? sweep[level(intensity)] : blur[level(intensity)];
}

double bandFraction(SwitchIntensity intensity) {
    constexpr double fractions[] = {0.2, 0.45, 0.72};
    return fractions[level(intensity)];
}

double factor(SwitchSpeed speed) {
    switch (speed) {
    case SwitchSpeed::slow:
        return 1.35;
    case SwitchSpeed::fast:
        return 0.7;
    case SwitchSpeed::normal:
        break;
    }
    return 1.0;
}

void stamp(SwitchLook look, SwitchSpeed speed, SwitchIntensity intensity, AppSettings& settings) {
    settings.switchLook = look;
    settings.switchSpeed = speed;
    settings.switchIntensity = intensity;
    settings.switchTransition = transition(look);
    settings.switchBlurStyle = blurStyle(look);
    settings.switchBlurOpacity = opacity(intensity, look);
    if (const auto degrees = angle(look))
        settings.sweepAngleDegrees = *degrees;
    settings.sweepBandFraction = bandFraction(intensity);
    const double f = factor(speed);
    settings.sweepStartDelayMs = scaled(baseStartDelayMs, f);
    settings.sweepDurationMs = scaled(baseSweepDurationMs, f);
    settings.switchFadeInMs = scaled(baseFadeInMs, f);
    settings.switchFadeOutMs = scaled(baseFadeOutMs, f);
    settings.switchMinDurationMs = scaled(baseMinDurationMs, f);
}

} // namespace tessarin::SwitchLookSpec
