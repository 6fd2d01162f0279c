#pragma once

#include "model/Enumerations.h"

#include <optional>
#include <string>

namespace tessarin {

// The desktop's own hot corners, read and never written, so that the settings can warn when the dock's
// corner is taken already.
class SystemHotCorners {
public:
    virtual ~SystemHotCorners() = default;
    // What the desktop does in that corner ("Activities Overview"), or none when the corner is free.
    virtual std::optional<std::string> occupant(FloatingDockCorner corner) const = 0;

protected:
    SystemHotCorners() = default;
    SystemHotCorners(const SystemHotCorners&) = default;
    SystemHotCorners& operator=(const SystemHotCorners&) = default;
};

// The warning under the corner choice when the chosen corner has an occupant.
std::string cornerClashWarning(const std::string& occupant);
// Why the corner cannot work in this session (no pointer events from other applications).
std::string hotCornerUnavailableText();

} // namespace tessarin
