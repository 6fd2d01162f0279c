#pragma once

#include "icon/GlyphGeometry.h"

#include <functional>

namespace tessarin {

// Bar widths as a function of progress 0…1.
using GlyphFrame = std::function<BarLengths(double progress)>;

namespace glyphAnimation {
inline constexpr double nudgeSeconds = 1.15;
inline constexpr double mirrorSeconds = 0.52;
inline constexpr double nudgeAmplitude = 11; // units
inline constexpr double nudgeSpan = 0.8;     // of the progress
inline constexpr double nudgeLag = 0.1;
} // namespace glyphAnimation

// p³ (p (6p − 15) + 10).
double smootherstep(double p);

// The middle bar swells, the smallest a moment later, both taken from the largest, all back at rest
// at progress 1; the total width stays the same.
GlyphFrame nudgeFrame(const BarLengths& rest);

// The wide bar travels through the middle to the other side, eased in and out per half.
GlyphFrame mirrorFrame(const BarLengths& rest);

// Interpolates three key frames: the first half of the progress between the first two, the second
// half between the last two, each half eased in and out.
BarLengths sampleKeyFrames(const std::array<BarLengths, 3>& keys, double progress);

} // namespace tessarin
