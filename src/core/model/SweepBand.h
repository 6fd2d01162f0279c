#pragma once

namespace tessarin {

// Where the sweep's soft band lies on one screen and how it travels, in the screen's own pixels with
// y growing downwards. The band is a strip `width` across, `length` long (longer than the screen's
// diagonal), centred on a line through its centre; it is opaque in the middle and fades out to both
// edges along (normalX, normalY), the direction across it.
struct SweepBand {
    static constexpr double minimumWidth = 120;
    static constexpr double margin = 40;

    double width = 0;
    double length = 0;
    double startX = 0, startY = 0; // the centre before the sweep (off screen)
    double endX = 0, endY = 0;     // and after it (off screen on the other side)
    double normalX = 1, normalY = 0;

    // A band at `angleDegrees` from upright (0 travels right to left, 90 top to bottom) whose width is
    // `bandFraction` of the screen's side along its travel, at least minimumWidth.
    static SweepBand on(double screenWidth, double screenHeight, double angleDegrees, double bandFraction);

    // The centre after `progress` (0 ... 1) of the travel.
    double centreX(double progress) const { return startX + (endX - startX) * progress; }
    double centreY(double progress) const { return startY + (endY - startY) * progress; }
};

} // namespace tessarin
