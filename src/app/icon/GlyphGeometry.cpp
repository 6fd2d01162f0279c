#include "icon/GlyphGeometry.h"

#include <algorithm>
#include <utility>

namespace tessarin {

std::array<GlyphBar, 3> glyphBars(const BarLengths& widths, const BarLengths& radii) {
    std::array<GlyphBar, 3> bars;
    double x = 0;
    for (size_t i = 0; i < 3; ++i) {
        bars[i].x = x * glyph::scale;
        bars[i].width = widths[i] * glyph::scale;
        bars[i].radius = std::min(widths[i] / 2, radii[i]) * glyph::scale;
        x += widths[i] + glyph::gap;
    }
    return bars;
}

BarLengths radiiFor(const BarLengths& widths) {
    // The table sorted by width: (28, 13), (44, 14), (126, 16).
    std::array<std::pair<double, double>, 3> table;
    for (size_t i = 0; i < 3; ++i)
        table[i] = {glyph::restingWidths[i], glyph::restingRadii[i]};
    std::sort(table.begin(), table.end());
    BarLengths radii;
    for (size_t i = 0; i < 3; ++i) {
        const double w = widths[i];
        double r;
        if (w <= table.front().first) {
            r = table.front().second;
        } else if (w >= table.back().first) {
            r = table.back().second;
        } else {
            size_t k = 1;
            while (w > table[k].first)
                ++k;
            const auto [w0, r0] = table[k - 1];
            const auto [w1, r1] = table[k];
            r = r0 + (w - w0) / (w1 - w0) * (r1 - r0);
        }
        radii[i] = std::min(r, w / 2);
    }
    return radii;
}

} // namespace tessarin
