#pragma once

#include <array>

namespace tessarin {

// The tray glyph: three vertical rounded bars side by side, in design units (148 units = 13 points).
using BarLengths = std::array<double, 3>;

namespace glyph {
inline constexpr double scale = 13.0 / 148.0; // points per unit
inline constexpr double gap = 24;             // units between bars
inline constexpr BarLengths restingWidths = {126, 44, 28};
inline constexpr BarLengths restingRadii = {16, 14, 13};
inline constexpr double heightPoints = 13;
// Always from the resting widths, so the icon never changes size: round((126 + 44 + 28 + 48) × scale).
inline constexpr double widthPoints = 22;
} // namespace glyph

// One bar in points: left edge, width and corner radius (the bar is the glyph's full height).
struct GlyphBar {
    double x = 0;
    double width = 0;
    double radius = 0;
};

// The bars of a frame, left to right; each radius is min(width / 2, radius) in points.
std::array<GlyphBar, 3> glyphBars(const BarLengths& widths, const BarLengths& radii);

// The corner radii of a frame: each width looked up in the radius table of the resting shape
// (clamped at its ends, interpolated linearly between), then at most half the width.
BarLengths radiiFor(const BarLengths& widths);

} // namespace tessarin
