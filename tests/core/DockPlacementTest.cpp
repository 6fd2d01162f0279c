#include "dock/DockPlacement.h"

#include <gtest/gtest.h>

using namespace tessarin;

namespace {

const Rect frame{100, 50, 1000, 900}; // a visible frame off the origin, y growing downwards
const Point panel{200, 100};
const DockMetrics horizontal = dockMetrics(FloatingDockSize::system, FloatingDockAxis::horizontal);
const DockMetrics vertical = dockMetrics(FloatingDockSize::system, FloatingDockAxis::vertical);

} // namespace

TEST(DockPlacement, SavedFractionsAndDefaultPlaces) {
    const SystemDockPreferences hidingBelow{48, SystemDockEdge::bottom, true};
    const SystemDockPreferences onTheLeft{48, SystemDockEdge::left, false};
    const auto h = FloatingDockAxis::horizontal, v = FloatingDockAxis::vertical;
    using P = FloatingDockPosition;
    struct Case {
        const char* what;
        Rect visible;
        FloatingDockAxis axis;
        std::optional<FloatingDockPosition> saved;
        SystemDockPreferences system;
        Point origin;
    };
    const Case cases[] = {
        {"fractions of the free room", frame, v, P{0.25, 0.5}, {}, {300, 450}},
        {"a frame smaller than the panel: its bottom-left", {0, 0, 150, 80}, h, P{0.7, 0.7}, {}, {0, -20}},
        {"horizontal: centred, the edge gap above the bottom", frame, h, std::nullopt, {}, {500, 802}},
        {"system dock hidden below: tile and margins too", frame, h, std::nullopt, hidingBelow, {500, 732}},
        {"vertical: centred, the edge gap from the left", frame, v, std::nullopt, {}, {148, 450}},
        {"vertical, system dock on the left: at the right", frame, v, std::nullopt, onTheLeft, {852, 450}},
    };
    for (const auto& c : cases) {
        const DockMetrics& m = c.axis == FloatingDockAxis::vertical ? vertical : horizontal;
        EXPECT_EQ(dockOrigin(c.visible, panel, m, c.axis, c.saved, c.system), c.origin) << c.what;
    }
}

TEST(DockPlacement, PositionsReadBackAsTheFractionsTheyCameFrom) {
    struct Case {
        Rect panel;
        FloatingDockPosition expected;
    };
    const Case cases[] = {
        {{300, 450, 200, 100}, {0.25, 0.5}}, {{100, 850, 200, 100}, {0, 0}}, {{900, 50, 200, 100}, {1, 1}},
        {{50, 990, 200, 100}, {0, 0}},  // hanging out of the frame: clamped
        {{100, 50, 1000, 900}, {0, 0}}, // no free room
    };
    for (const auto& c : cases) {
        EXPECT_EQ(normalisedDockPosition(frame, c.panel), c.expected) << c.panel.x << "," << c.panel.y;
        const Point origin = dockOrigin(frame, {c.panel.width, c.panel.height}, horizontal,
                                        FloatingDockAxis::horizontal, c.expected);
        EXPECT_EQ(normalisedDockPosition(frame, {origin.x, origin.y, c.panel.width, c.panel.height}),
                  c.expected);
    }
}

TEST(DockPlacement, FlipsMirrorIntoTheOtherHalf) {
    const Rect screen{0, 0, 1440, 900};
    struct Case {
        Rect panel;
        FloatingDockAxis axis;
        DockHalf to;
        std::optional<Point> origin; // none: no flip
    };
    const Case cases[] = {
        {{500, 700, 400, 100}, FloatingDockAxis::horizontal, DockHalf::upper, Point{500, 100}},
        {{500, 0, 400, 100}, FloatingDockAxis::horizontal, DockHalf::lower, Point{500, 800}},
        {{100, 300, 200, 300}, FloatingDockAxis::vertical, DockHalf::trailing, Point{1140, 300}},
        {{500, 700, 400, 100}, FloatingDockAxis::horizontal, DockHalf::lower, std::nullopt}, // there already
        {{500, 700, 400, 100}, FloatingDockAxis::horizontal, DockHalf::leading, std::nullopt}, // other axis
        {{0, 0, 1440, 900}, FloatingDockAxis::horizontal, DockHalf::lower, Point{0, 0}},       // no room
    };
    for (const auto& c : cases) {
        const auto flip = dockFlip(screen, c.panel, c.axis, c.to);
        EXPECT_EQ(flip ? std::optional(flip->origin) : std::nullopt, c.origin)
            << c.panel.x << "," << c.panel.y;
    }
}
