#pragma once

namespace tessarin {

// Plain geometry in screen units (logical pixels). Which way y grows is the caller's convention; each
// user says which one it takes.
struct Point {
    double x = 0;
    double y = 0;

    bool operator==(const Point&) const = default;
};

struct Rect {
    double x = 0;
    double y = 0;
    double width = 0;
    double height = 0;

    double minX() const { return x; }
    double minY() const { return y; }
    double maxX() const { return x + width; }
    double maxY() const { return y + height; }

    bool operator==(const Rect&) const = default;
};

} // namespace tessarin
