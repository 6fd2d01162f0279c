// The sweep's band on screens of several sizes and at every look's angle: where it starts and ends
// (off screen on both sides), how wide it is, and which way it fades.
#include "model/SweepBand.h"

#include <cmath>
#include <gtest/gtest.h>

using namespace tessarin;

TEST(SweepBand, WidthAndTravelPerScreen) {
    struct Case {
        double width, height, angle, fraction;
        double band, startX, startY, endX, endY, normalX, normalY;
    } cases[] = {
        // Upright: across the width, right to left.
        {1440, 900, 0, 0.45, 648, 1804, 450, -364, 450, 1, 0},
        // Lying flat: down the height, top to bottom.
        {1440, 900, 90, 0.45, 405, 720, -242.5, 720, 1142.5, 0, 1},
        // A tiny fraction still gives a band of 120 pixels.
        {1440, 900, 0, 0.01, 120, 1540, 450, -100, 450, 1, 0},
        // Tilted: a wider road, so the slanted band is off screen at both ends.
        {1280, 800, -20, 0.72, 921.6, 1810.373, 400, -530.373, 400, 0.93969, -0.34202},
        {1280, 800, 20, 0.2, 256, 1456.215, 400, -176.215, 400, 0.93969, 0.34202},
        // A second screen of its own size gets its own band.
        {1920, 1080, 0, 0.2, 384, 2152, 540, -232, 540, 1, 0},
        {1080, 1920, 90, 0.72, 1382.4, 540, -731.2, 540, 2651.2, 0, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.width) + "x" + std::to_string(c.height) + " at " +
                     std::to_string(c.angle));
        const SweepBand band = SweepBand::on(c.width, c.height, c.angle, c.fraction);
        EXPECT_NEAR(band.width, c.band, 0.01);
        EXPECT_NEAR(band.startX, c.startX, 0.01);
        EXPECT_NEAR(band.startY, c.startY, 0.01);
        EXPECT_NEAR(band.endX, c.endX, 0.01);
        EXPECT_NEAR(band.endY, c.endY, 0.01);
        EXPECT_NEAR(band.normalX, c.normalX, 1e-5);
        EXPECT_NEAR(band.normalY, c.normalY, 1e-5);
        EXPECT_GT(band.length, std::hypot(c.width, c.height)); // reaches across every corner
        EXPECT_NEAR(band.centreX(0.5), c.width / 2, 1e-9);
        EXPECT_NEAR(band.centreY(0.5), c.height / 2, 1e-9);
    }
}
