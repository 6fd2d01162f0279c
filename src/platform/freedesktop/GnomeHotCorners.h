#pragma once

#include "triggers/SystemHotCorners.h"

#include <memory>

namespace tessarin {

// GNOME Shell's hot corner: with org.gnome.desktop.interface enable-hot-corners on, the top-left corner
// opens the Activities Overview. Read through GSettings on every question, never written.
class GnomeHotCorners : public SystemHotCorners {
public:
    std::optional<std::string> occupant(FloatingDockCorner corner) const override;
};

// The session desktop's own hot corners: GNOME's under GNOME, none elsewhere.
std::unique_ptr<SystemHotCorners> systemHotCornersForSession();

} // namespace tessarin
