#include "model/DesktopCue.h"

#include <algorithm>
#include <cmath>

namespace tessarin {

double DesktopCue::clampOpacity(double opacity, bool aboveIcons) {
    if (std::isnan(opacity))
        return minOpacity;
    return std::min(std::max(opacity, minOpacity), maxOpacity(aboveIcons));
}

} // namespace tessarin
