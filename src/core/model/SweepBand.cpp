#include "model/SweepBand.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace tessarin {

SweepBand SweepBand::on(double screenWidth, double screenHeight, double angleDegrees, double bandFraction) {
    const double theta = angleDegrees * std::numbers::pi / 180.0;
    const double s = std::abs(std::sin(theta));
    const double c = std::abs(std::cos(theta));
    // How much of the band's width shows along its travel: an almost flat band needs a longer road.
    const double d = std::max(std::max(s, c), 0.17);
    // Closer to upright: the band travels across the width, else down the height.
    const bool acrossWidth = s <= c;
    const double side = acrossWidth ? screenWidth : screenHeight;

    SweepBand band;
    band.width = std::max(minimumWidth, side * bandFraction);
    band.length = std::hypot(screenWidth, screenHeight) * 1.6;
    const double travel = (side + band.width / d) / 2 + margin;
    const double cx = screenWidth / 2;
    const double cy = screenHeight / 2;
    if (acrossWidth) {
        band.startX = cx + travel;
        band.endX = cx - travel;
        band.startY = band.endY = cy;
    } else {
        band.startY = cy - travel;
        band.endY = cy + travel;
        band.startX = band.endX = cx;
    }
    band.normalX = std::cos(theta);
    band.normalY = std::sin(theta);
    return band;
}

} // namespace tessarin
