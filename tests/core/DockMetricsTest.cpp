#include "dock/DockMetrics.h"

#include <gtest/gtest.h>

using namespace tessarin;

TEST(DockMetrics, SizesForEachTileSizeAndAxis) {
    using S = FloatingDockSize;
    using A = FloatingDockAxis;
    struct Case {
        S size;
        A axis;
        SystemDockPreferences system;
        DockMetrics expected; // icon, padV, padH, labelFont, maxLabelWidth, edgeGap, vertical
    };
    const Case cases[] = {
        // 22.4 rounds to 22, clamped to 20; 21.76 to 22, clamped to 13; 166 clamped to 120.
        {S::large, A::horizontal, {}, {64, 12, 20, 13, 120, 64, false}},
        // 4.03 raised to 5; 7.84 to 8; 10.88 to 11; 67.2 to 67.
        {S::small, A::vertical, {}, {32, 5, 8, 11, 67, 48, true}},
        {S::medium, A::horizontal, {}, {44, 8, 15, 13, 114, 48, false}},
        // The system size is 48 where the desktop says nothing, whatever it says elsewhere.
        {S::system, A::horizontal, {}, {48, 9, 17, 13, 120, 48, false}},
        {S::system, A::vertical, {}, {48, 6, 12, 13, 101, 48, true}},
        {S::system, A::horizontal, {0, SystemDockEdge::bottom, false}, {48, 9, 17, 13, 120, 48, false}},
        // A tiny system tile is clamped to 16, then the icon to at least 24; a huge one to 72.
        {S::system, A::horizontal, {10, SystemDockEdge::bottom, false}, {24, 5, 8, 10, 64, 48, false}},
        {S::system, A::vertical, {200, SystemDockEdge::bottom, false}, {72, 9, 18, 13, 120, 72, true}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(dockMetrics(c.size, c.axis, c.system), c.expected)
            << enumName(c.size) << " " << enumName(c.axis) << " tile " << c.system.tileSize;
}

TEST(DockMetrics, ViewSizesAndTileWidths) {
    struct Case {
        FloatingDockSize size;
        FloatingDockAxis axis;
        double widestName;
        int tileHeight, cardRadius, contentSpacing, arrowHeight, arrowWidth, arrowFont, closeFont,
            cornerMargin;
        int tileWidth;
    };
    const Case cases[] = {
        // Small horizontal: radius 21.6 -> 22, spacing 8.25 -> 8, arrows 13 x 19 in font 11, close 14.
        {FloatingDockSize::small, FloatingDockAxis::horizontal, 20, 60, 22, 8, 13, 19, 11, 14, 12, 48},
        // Medium and large: 0.3 x 91 = 27.3 and 0.3 x 119 = 35.7 are capped at 26.
        {FloatingDockSize::medium, FloatingDockAxis::horizontal, 70.4, 75, 26, 11, 18, 24, 13, 18, 14, 80},
        {FloatingDockSize::large, FloatingDockAxis::horizontal, 500, 95, 26, 15, 18, 24, 13, 18, 14, 120},
        // No names: the room for the icon alone.
        {FloatingDockSize::small, FloatingDockAxis::vertical, 0, 60, 21, 6, 13, 19, 11, 14, 12, 42},
        {FloatingDockSize::small, FloatingDockAxis::vertical, 55.5, 60, 21, 6, 13, 19, 11, 14, 12, 62},
    };
    for (const auto& c : cases) {
        const DockMetrics m = dockMetrics(c.size, c.axis);
        const DockViewSizes v = dockViewSizes(m);
        SCOPED_TRACE(std::string(enumName(c.size)) + " " + std::string(enumName(c.axis)));
        EXPECT_EQ(v.tileHeight, c.tileHeight);
        EXPECT_EQ(v.cardRadius, c.cardRadius);
        EXPECT_EQ(v.contentSpacing, c.contentSpacing);
        EXPECT_EQ(v.arrowHeight, c.arrowHeight);
        EXPECT_EQ(v.arrowWidth, c.arrowWidth);
        EXPECT_EQ(v.arrowFont, c.arrowFont);
        EXPECT_EQ(v.closeFont, c.closeFont);
        EXPECT_EQ(v.cornerCloseMargin, c.cornerMargin);
        EXPECT_EQ(dockTileWidth(m, c.widestName), c.tileWidth);
    }
}
