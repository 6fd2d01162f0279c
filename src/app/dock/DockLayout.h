#pragma once

#include "dock/FloatingDockModel.h"

#include <QFont>
#include <QRect>
#include <string>
#include <vector>

namespace tessarin {

// Where everything of the dock's card goes, in the card's coordinates (origin at its top left); the card
// fills the panel.
struct DockLayout {
    struct Arrow {
        DockHalf half;
        QRect frame;
    };
    struct Tile {
        std::string name;
        QRect frame;
    };

    DockViewSizes sizes;
    int tileWidth = 0; // the width every name shares
    QSize size;        // the card's, and so the panel's, size
    QRect close;
    std::vector<Arrow> arrows; // none without the flip buttons
    QRect divider;             // empty without the flip buttons
    std::vector<Tile> tiles;
    QRect emptyText; // "No desktops yet", when there are no tiles
};

inline constexpr const char* noDesktopsText = "No desktops yet";

// The label font of the dock: the application's font at `pixelSize`, semibold or regular.
QFont dockLabelFont(int pixelSize, bool semibold);

DockLayout layoutDock(const FloatingDockState& state);

} // namespace tessarin
