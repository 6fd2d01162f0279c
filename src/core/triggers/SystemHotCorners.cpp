#include "triggers/SystemHotCorners.h"

namespace tessarin {

std::string cornerClashWarning(const std::string& occupant) {
    return "GNOME already uses this corner for " + occupant +
           ", so both will fire. Pick a free corner, or turn off Hot Corner in Settings \u25b8 Multitasking.";
}

std::string hotCornerUnavailableText() {
    return "This session doesn't let Tessarin follow the pointer across the screen, so the hot corner is "
           "unavailable. The shortcut and the menu still show the dock.";
}

} // namespace tessarin
