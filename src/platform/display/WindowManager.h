#pragma once

#include <cstdint>
#include <optional>

namespace tessarin {

// What the agent asks the window manager about its own top-level windows and the screen. Windows are
// named by their native id (QWidget::winId()).
class WindowManager {
public:
    using WindowId = uint64_t;

    virtual ~WindowManager() = default;
    // A compositing manager runs: translucent windows blend with what lies under them.
    virtual bool compositing() const = 0;
    // The active window fills its screen; none when that can't be told.
    virtual std::optional<bool> activeWindowFullScreen() const = 0;
    // The window is on the workspace shown now (or on every workspace); none when that can't be told.
    virtual std::optional<bool> onCurrentWorkspace(WindowId window) const = 0;
    // Puts the window on every workspace, or on the one shown now only.
    virtual void setOnAllWorkspaces(WindowId window, bool all) = 0;

protected:
    WindowManager() = default;
    WindowManager(const WindowManager&) = default;
    WindowManager& operator=(const WindowManager&) = default;
};

} // namespace tessarin
