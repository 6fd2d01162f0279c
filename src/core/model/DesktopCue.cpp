#include "model/DesktopCue.h"

#include <algorithm>
#include <cmath>

namespace tessarin {

double DesktopCue::clampOpacity(double opacity, bool aboveIcons) {
    if (std::isnan(opacity))
        return minOpacity;
    return std::min(std::max(opacity, minOpacity), maxOpacity(aboveIcons));
}

DesktopCue DesktopCue::make(bool enabled, Fill fill, double opacity, bool aboveIcons, bool aboveMenuBar) {
    return DesktopCue{enabled, std::move(fill), clampOpacity(opacity, aboveIcons), aboveIcons, aboveMenuBar};
}

} // namespace tessarin
