#pragma once

#include "display/OverlayWindowing.h"

namespace tessarin {

// Where the window system needs nothing beyond Qt's flags (or offers nothing more): composited, no
// published wallpaper, no desktop-icon window to know of.
class NoOverlayWindowing : public OverlayWindowing {
public:
    void prepare(QWindow&) override {}
    void passClicksThrough(QWindow&) override {}
    bool compositing() override { return true; }
    QImage wallpaper() override { return {}; }
    bool desktopIconWindowShown() override { return false; }
    void sync() override {}
};

} // namespace tessarin
