#pragma once

#include "model/Enumerations.h"

namespace tessarin {

// x rounded to the nearest integer, halves away from zero.
int nearestInt(double x);

// The edge of the screen the system's own dock sits on.
enum class SystemDockEdge { left, right, bottom };

// The system's own dock, which the floating dock takes its tile size from and keeps clear of. Linux
// desktops publish no such preferences: a tile of 48, the bottom edge, not hiding.
struct SystemDockPreferences {
    int tileSize = 48;
    SystemDockEdge edge = SystemDockEdge::bottom;
    bool autohide = false;
};

// The floating dock's sizes for one tile size and axis, in logical pixels.
struct DockMetrics {
    int icon = 0;
    int padV = 0;
    int padH = 0;
    int labelFont = 0;
    int maxLabelWidth = 0;
    int edgeGap = 0;
    bool vertical = false;

    bool operator==(const DockMetrics&) const = default;
};

DockMetrics dockMetrics(FloatingDockSize size, FloatingDockAxis axis,
                        const SystemDockPreferences& system = {});

// The one width all tiles' names share, given the widest name's measured width (0 when there are no
// names).
int dockTileWidth(const DockMetrics& metrics, double widestName);

// The view's sizes that follow from the metrics.
struct DockViewSizes {
    int tileHeight = 0;        // 2 above, the icon, 3, one label line, 3, the 4-pixel mark, 2 below
    int cardRadius = 0;        // the card's corner radius
    int contentSpacing = 0;    // between the controls, the divider and the tiles
    int tileSpacing = 2;       // between tiles
    int tileMargin = 0;        // left and right of each tile's column
    int targetRadius = 0;      // the highlight of the tile under a drag
    int closeFont = 0;         // the close button's symbol
    int arrowFont = 0;         // the flip arrows' symbols
    int arrowHeight = 0;       // an arrow's frame: this high,
    int arrowWidth = 0;        // and this wide
    int cornerCloseMargin = 0; // the lone close button's margin in the card's corner
};

DockViewSizes dockViewSizes(const DockMetrics& metrics);

} // namespace tessarin
