#pragma once

#include "model/AppSettings.h"
#include "model/Enumerations.h"

#include <cstdint>
#include <optional>

namespace tessarin {

// The table that turns the user's three choices (look, speed, intensity) into the stored transition
// settings.
namespace SwitchLookSpec {

inline constexpr int64_t baseStartDelayMs = 280;
inline constexpr int64_t baseSweepDurationMs = 725;
inline constexpr int64_t baseFadeInMs = 260;
inline constexpr int64_t baseFadeOutMs = 500;
inline constexpr int64_t baseMinDurationMs = 1000;

// vertical, horizontal, angledDown and angledUp.
bool isSweep(SwitchLook look);
SwitchTransition transition(SwitchLook look);
SwitchBlurStyle blurStyle(SwitchLook look);
// The band's angle in degrees for the sweep looks; none for the others (the stored angle stays).
std::optional<double> angle(SwitchLook look);
// The peak opacity: the sweep table for sweep looks, the blur table for the others.
double opacity(SwitchIntensity intensity, SwitchLook look);
double bandFraction(SwitchIntensity intensity);
// The duration factor: slow 1.35, normal 1, fast 0.7.
double factor(SwitchSpeed speed);

// Writes the choices and everything derived from them into `settings`; each duration is the base
// times the speed factor, rounded to the nearest millisecond (halves away from zero).
// switchRevealHoldMs is left alone.
void stamp(SwitchLook look, SwitchSpeed speed, SwitchIntensity intensity, AppSettings& settings);

} // namespace SwitchLookSpec

} // namespace tessarin
