#pragma once

#include "model/Enumerations.h"

#include <QColor>
#include <string>

namespace tessarin {

// The dock's colours for its appearance and material.
struct DockColors {
    QColor card;      // the card's fill
    QColor text;      // names
    QColor secondary; // the close button, "No desktops yet"
    QColor border;    // the line just inside the card's edge
    QColor accent;    // the controls and the drag highlight
};

// `system` follows the application's palette; light and dark are fixed. Glass and clear glass let what
// lies behind shine through where `translucent` (a compositor blends the window); solid otherwise.
DockColors dockColors(AppearanceMode appearance, FloatingDockMaterial material, bool translucent,
                      const std::string& accentHex);

// The palette's highlight colour as "#RRGGBB": the system accent on Linux desktops.
std::string systemAccentHex();

} // namespace tessarin
