#include "dock/DockPlacement.h"

#include <algorithm>
#include <cmath>

namespace tessarin {

namespace {

// The free room for a panel of `extent` in a frame of `frame`.
double room(double frame, double extent) {
    return std::max(0.0, frame - extent);
}

// How far the panel's bottom edge sits above the visible frame's bottom edge.
double lift(const Rect& visible, const Rect& panel) {
    return visible.maxY() - panel.maxY();
}

double topForLift(const Rect& visible, double height, double lift) {
    return visible.maxY() - height - lift;
}

double fraction(double offset, double free) {
    return free > 0 ? std::clamp(offset / free, 0.0, 1.0) : 0.0;
}

} // namespace

double dockEdgeGap(const DockMetrics& metrics, SystemDockEdge edge, const SystemDockPreferences& system) {
    double gap = metrics.edgeGap;
    if (system.edge == edge && system.autohide)
        gap += system.tileSize + 2 * std::max(8, nearestInt(system.tileSize * 0.22));
    return gap;
}

Point clampedDockOrigin(const Rect& visible, const Rect& panel) {
    const double x =
        std::clamp(panel.x, visible.minX(), std::max(visible.minX(), visible.maxX() - panel.width));
    const double up = std::clamp(lift(visible, panel), 0.0, room(visible.height, panel.height));
    return {x, topForLift(visible, panel.height, up)};
}

Point dockOrigin(const Rect& visible, const Point& size, const DockMetrics& metrics, FloatingDockAxis axis,
                 const std::optional<FloatingDockPosition>& saved, const SystemDockPreferences& system) {
    const double w = size.x;
    const double h = size.y;
    double x = 0;
    double up = 0;
    if (saved) {
        x = visible.minX() + room(visible.width, w) * saved->nx;
        up = room(visible.height, h) * saved->ny;
    } else if (axis == FloatingDockAxis::horizontal) {
        x = visible.minX() + (visible.width - w) / 2;
        up = dockEdgeGap(metrics, SystemDockEdge::bottom, system);
    } else {
        up = (visible.height - h) / 2;
        x = system.edge == SystemDockEdge::left
                ? visible.maxX() - w - dockEdgeGap(metrics, SystemDockEdge::right, system)
                : visible.minX() + dockEdgeGap(metrics, SystemDockEdge::left, system);
    }
    return clampedDockOrigin(visible, {x, topForLift(visible, h, up), w, h});
}

FloatingDockPosition normalisedDockPosition(const Rect& visible, const Rect& panel) {
    return {fraction(panel.minX() - visible.minX(), visible.width - panel.width),
            fraction(lift(visible, panel), visible.height - panel.height)};
}

DockHalf dockHalf(const Rect& visible, const Rect& panel, FloatingDockAxis axis) {
    if (axis == FloatingDockAxis::horizontal)
        return panel.y + panel.height / 2 > visible.y + visible.height / 2 ? DockHalf::lower
                                                                           : DockHalf::upper;
    return panel.x + panel.width / 2 < visible.x + visible.width / 2 ? DockHalf::leading : DockHalf::trailing;
}

std::optional<DockFlip> dockFlip(const Rect& visible, const Rect& panel, FloatingDockAxis axis, DockHalf to) {
    const bool horizontal = axis == FloatingDockAxis::horizontal;
    const bool alongY = to == DockHalf::upper || to == DockHalf::lower;
    if (horizontal != alongY || dockHalf(visible, panel, axis) == to)
        return std::nullopt;
    Rect mirrored = panel;
    if (horizontal)
        mirrored.y = topForLift(visible, panel.height, visible.height - lift(visible, panel) - panel.height);
    else
        mirrored.x = visible.maxX() - (panel.x - visible.minX()) - panel.width;
    DockFlip flip;
    flip.origin = clampedDockOrigin(visible, mirrored);
    flip.distance = horizontal ? std::abs(flip.origin.y - panel.y) : std::abs(flip.origin.x - panel.x);
    flip.room = horizontal ? visible.height - panel.height : visible.width - panel.width;
    return flip;
}

double dockFlipSeconds(const DockFlip& flip, double flipDuration) {
    if (flip.room <= 0)
        return flipDuration;
    return (0.3 + 0.7 * std::sqrt(std::clamp(flip.distance / flip.room, 0.0, 1.0))) * flipDuration;
}

} // namespace tessarin
