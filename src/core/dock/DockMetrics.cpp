#include "dock/DockMetrics.h"

#include <algorithm>
#include <cmath>

namespace tessarin {

int nearestInt(double x) {
    return static_cast<int>(std::lround(x));
}

namespace {

int tileSizeFor(FloatingDockSize size, const SystemDockPreferences& system) {
    switch (size) {
    case FloatingDockSize::system:
        return system.tileSize > 0 ? std::clamp(system.tileSize, 16, 128) : 48;
    case FloatingDockSize::small:
        return 32;
    case FloatingDockSize::medium:
        return 44;
    case FloatingDockSize::large:
        return 64;
    }
    return 48;
}

} // namespace

DockMetrics dockMetrics(FloatingDockSize size, FloatingDockAxis axis, const SystemDockPreferences& system) {
    const bool vertical = axis == FloatingDockAxis::vertical;
    const double k = vertical ? 0.7 : 1.0;
    DockMetrics m;
    m.vertical = vertical;
    m.icon = std::clamp(tileSizeFor(size, system), 24, 72);
    m.padV = std::max(nearestInt(m.icon * 0.18 * k), 5);
    m.padH = std::clamp(nearestInt(m.icon * 0.35 * k), 8, 20);
    m.labelFont = std::clamp(nearestInt(m.icon * 0.34), 10, 13);
    m.maxLabelWidth =
        std::min(std::max(nearestInt(m.icon * (vertical ? 2.1 : 2.6)), vertical ? 56 : 64), 120);
    m.edgeGap = std::max(m.icon, 48);
    return m;
}

int dockTileWidth(const DockMetrics& metrics, double widestName) {
    const double e = metrics.vertical ? 6 : 10;
    const int f = metrics.vertical ? 10 : 16;
    return std::min(metrics.maxLabelWidth, std::max(nearestInt(widestName + e), metrics.icon + f));
}

DockViewSizes dockViewSizes(const DockMetrics& m) {
    DockViewSizes v;
    v.tileHeight = m.icon + nearestInt(1.3 * m.labelFont) + 14;
    v.cardRadius = std::min(26, nearestInt(0.3 * (v.tileHeight + 2 * m.padV)));
    v.contentSpacing = nearestInt(0.75 * m.padH);
    v.tileMargin = m.vertical ? 5 : 8;
    v.targetRadius = m.vertical ? 7 : 10;
    v.closeFont = std::clamp(nearestInt(0.45 * m.icon), 12, 18);
    v.arrowFont = std::clamp(nearestInt(0.34 * m.icon), 9, 13);
    v.arrowHeight = std::clamp(nearestInt(0.4 * m.icon), 12, 18);
    v.arrowWidth = v.arrowHeight + 6;
    v.cornerCloseMargin = std::max(nearestInt(0.55 * v.cardRadius), m.padV);
    return v;
}

} // namespace tessarin
