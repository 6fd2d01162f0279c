#include "triggers/SystemHotCorners.h"

namespace tessarin {

std::string cornerChoiceLabel(FloatingDockCorner corner, const std::optional<std::string>& occupant) {
    std::string label;
    switch (corner) {
    case FloatingDockCorner::off:
        return "Off";
    case FloatingDockCorner::topLeft:
        label = "Top-left";
        break;
    case FloatingDockCorner::topRight:
        label = "Top-right";
        break;
    case FloatingDockCorner::bottomLeft:
        label = "Bottom-left";
        break;
    case FloatingDockCorner::bottomRight:
        label = "Bottom-right";
        break;
    }
    return occupant ? label + " \u2014 used by " + *occupant : label;
}

std::string cornerClashWarning(const std::string& occupant) {
    return "GNOME already uses this corner for " + occupant +
           ", so both will fire. Pick a free corner, or turn off Hot Corner in Settings \u25b8 Multitasking.";
}

std::string hotCornerUnavailableText() {
    return "This session doesn't let Tessarin follow the pointer across the screen, so the hot corner is "
           "unavailable. The shortcut and the menu still show the dock.";
}

} // namespace tessarin
