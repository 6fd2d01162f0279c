#include "icon/GlyphAnimation.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace tessarin {

double smootherstep(double p) {
    return p * p * p * (p * (6 * p - 15) + 10);
}

namespace {

// One swell: 0 at rest, 1 at its height, following a raised cosine over the eased progress.
double bump(double progress, double lag) {
    using namespace glyphAnimation;
    const double p = std::clamp((progress - lag) / nudgeSpan, 0.0, 1.0);
    const double s = smootherstep(p);
    return (s > 0 && s < 1) ? (1 - std::cos(2 * std::numbers::pi * s)) / 2 : 0;
}

} // namespace

GlyphFrame nudgeFrame(const BarLengths& rest) {
    const size_t big = static_cast<size_t>(std::max_element(rest.begin(), rest.end()) - rest.begin());
    const size_t small = static_cast<size_t>(std::min_element(rest.begin(), rest.end()) - rest.begin());
    return [rest, big, small](double p) {
        using namespace glyphAnimation;
        const double b1 = bump(p, 0);
        const double b2 = bump(p, nudgeLag);
        BarLengths w = rest;
        w[1] += b1 * nudgeAmplitude;
        w[small] += b2 * nudgeAmplitude;
        w[big] -= (b1 + b2) * nudgeAmplitude;
        return w;
    };
}

BarLengths sampleKeyFrames(const std::array<BarLengths, 3>& keys, double progress) {
    const double x = 2 * progress;
    const size_t i = std::min<size_t>(1, static_cast<size_t>(std::max(0.0, std::floor(x))));
    const double f = x - static_cast<double>(i);
    const double eased = f < 0.5 ? 2 * f * f : 1 - (2 - 2 * f) * (2 - 2 * f) / 2;
    BarLengths w;
    for (size_t k = 0; k < 3; ++k)
        w[k] = keys[i][k] + eased * (keys[i + 1][k] - keys[i][k]);
    return w;
}

GlyphFrame mirrorFrame(const BarLengths& rest) {
    BarLengths sorted = rest;
    std::sort(sorted.begin(), sorted.end(), std::greater<>());
    const double c = sorted[0], b = sorted[1], a = sorted[2];
    std::array<BarLengths, 3> keys;
    if (rest[2] < rest[0])
        keys = {BarLengths{c, b, a}, BarLengths{b, c, a}, BarLengths{a, b, c}};
    else
        keys = {BarLengths{a, b, c}, BarLengths{b, c, a}, BarLengths{c, b, a}};
    return [keys](double p) { return sampleKeyFrames(keys, p); };
}

} // namespace tessarin
