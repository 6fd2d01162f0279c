#pragma once

#include "triggers/SystemHotCorners.h"

namespace tessarin {

// A desktop without hot corners of its own.
class NoSystemHotCorners : public SystemHotCorners {
public:
    std::optional<std::string> occupant(FloatingDockCorner) const override { return std::nullopt; }
};

} // namespace tessarin
