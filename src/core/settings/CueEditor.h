#pragma once

#include "settings/SettingsState.h"

#include <filesystem>
#include <functional>
#include <string>

namespace tessarin {

// Each desktop's wallpaper cue. A desktop without one is edited from the default cue (disabled,
// black, opacity 0.7, below the icons, not above the menu bar).
class CueEditor {
public:
    explicit CueEditor(SettingsState& state) : state_(state) {}

    bool editCue(const std::string& name, const std::function<void(DesktopCue&)>& change);
    bool setCueEnabled(const std::string& name, bool on);
    // A "#RRGGBB" colour fill; text that is not such a colour changes nothing.
    bool setCueColor(const std::string& name, const std::string& hex);
    // Clamped to 0.05 ... 0.8 above the icons, 1.0 below them.
    bool setCueOpacity(const std::string& name, double opacity);
    // Above the icons the opacity is clamped to 0.8 at once.
    bool setCueAboveIcons(const std::string& name, bool on);
    // Copies the picture into the store's cue folder under a new name with its extension and points
    // the cue at the copy; the previous copy is deleted. The user's own file is never touched.
    bool setCueImage(const std::string& name, const std::filesystem::path& picture);

private:
    SettingsState& state_;
};

} // namespace tessarin
