#pragma once

#include "model/Config.h"

#include <optional>
#include <string>

namespace tessarin {

// The desktop one option-click moves to: the next of the carousel list (its names of live desktops,
// in its order; every permanent live desktop when none is left) after the active desktop, or the
// list's first when the active desktop is not in it. None when there is nowhere to go, including
// when the target is the active desktop.
std::optional<std::string> carouselTarget(const Config& document);

} // namespace tessarin
