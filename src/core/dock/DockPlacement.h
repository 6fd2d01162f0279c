#pragma once

#include "dock/DockMetrics.h"
#include "model/AppSettings.h"
#include "support/Geometry.h"

#include <optional>

namespace tessarin {

// The half of the visible frame the dock sits in: upper or lower for a horizontal dock, leading (left)
// or trailing (right) for a vertical one.
enum class DockHalf { upper, lower, leading, trailing };

// Where the floating dock goes within a screen's visible frame (the screen less the panels). Rectangles
// are in the agent's screen coordinates, y growing downwards; a saved position counts ny from the
// bottom of the visible frame, so (0, 0) is its bottom-left corner and (1, 1) its top-right.

// The gap the dock keeps from one edge when it takes its default place.
double dockEdgeGap(const DockMetrics& metrics, SystemDockEdge edge, const SystemDockPreferences& system);

// The dock's top-left corner for a panel of `size`: at the saved fractions of the free room, or at the
// default place of its axis when there is no saved position; always inside the visible frame.
Point dockOrigin(const Rect& visible, const Point& size, const DockMetrics& metrics, FloatingDockAxis axis,
                 const std::optional<FloatingDockPosition>& saved, const SystemDockPreferences& system = {});

// The panel's top-left corner moved just enough for the panel to lie inside the visible frame (its
// bottom-left corner where the frame is too small).
Point clampedDockOrigin(const Rect& visible, const Rect& panel);

// The panel's place as fractions of the free room, each 0 when there is no room, clamped to 0...1.
FloatingDockPosition normalisedDockPosition(const Rect& visible, const Rect& panel);

DockHalf dockHalf(const Rect& visible, const Rect& panel, FloatingDockAxis axis);

// A flip: the panel mirrored to the other half along the dock's moving axis, kept inside the frame.
struct DockFlip {
    Point origin;
    double distance = 0; // how far it travels
    double room = 0;     // the free room along that axis
};
// None when the panel already sits in `to`, or `to` is a half of the other axis.
std::optional<DockFlip> dockFlip(const Rect& visible, const Rect& panel, FloatingDockAxis axis, DockHalf to);

// How long a flip takes: the whole duration for the whole free room, less for shorter trips.
double dockFlipSeconds(const DockFlip& flip, double flipDuration);

} // namespace tessarin
