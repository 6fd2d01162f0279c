#include "triggers/CornerHitTest.h"

#include <algorithm>

namespace tessarin::CornerHitTest {

std::optional<Rect> rect(FloatingDockCorner corner, const Rect& f) {
    switch (corner) {
    case FloatingDockCorner::off:
        return std::nullopt;
    case FloatingDockCorner::topLeft:
        return Rect{f.minX(), f.maxY() - side, side, side};
    case FloatingDockCorner::topRight:
        return Rect{f.maxX() - side, f.maxY() - side, side, side};
    case FloatingDockCorner::bottomLeft:
        return Rect{f.minX(), f.minY(), side, side};
    case FloatingDockCorner::bottomRight:
        return Rect{f.maxX() - side, f.minY(), side, side};
    }
    return std::nullopt;
}

bool contains(const Point& p, const Rect& r) {
    return r.minX() <= p.x && p.x <= r.maxX() && r.minY() <= p.y && p.y <= r.maxY();
}

bool isInside(const std::vector<Rect>& rects, const Point& point) {
    return std::any_of(rects.begin(), rects.end(), [&](const Rect& r) { return contains(point, r); });
}

} // namespace tessarin::CornerHitTest
