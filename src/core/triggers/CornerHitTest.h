#pragma once

#include "model/Enumerations.h"
#include "support/Geometry.h"

#include <optional>
#include <vector>

namespace tessarin {

// The hot squares of the screen corners. Coordinates grow upwards from the bottom-left of the main
// screen: a screen's top edge is its maxY.
namespace CornerHitTest {

inline constexpr double side = 4.0; // the edge length of a hot square

// The hot square of `corner` in a screen's frame; none for `off`.
std::optional<Rect> rect(FloatingDockCorner corner, const Rect& screen);
// Inclusive on all four edges.
bool contains(const Point& point, const Rect& rect);
bool isInside(const std::vector<Rect>& rects, const Point& point);

} // namespace CornerHitTest

} // namespace tessarin
