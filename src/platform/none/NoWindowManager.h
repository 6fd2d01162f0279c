#pragma once

#include "display/WindowManager.h"

namespace tessarin {

// No window manager to ask: no compositing, nothing known, nothing done.
class NoWindowManager : public WindowManager {
public:
    bool compositing() const override { return false; }
    std::optional<bool> activeWindowFullScreen() const override { return std::nullopt; }
    std::optional<bool> onCurrentWorkspace(WindowId) const override { return std::nullopt; }
    void setOnAllWorkspaces(WindowId, bool) override {}
};

} // namespace tessarin
