#include "settings/SettingsModel.h"

namespace tessarin {

SettingsModel::SettingsModel(SettingsDependencies dependencies, ShortcutText shortcutText,
                             const ScreenshotFilter* screenshots)
    : state(dependencies), desktops(state, shortcutText), archives(state), calendar(state),
      shortcuts(state, shortcutText), sorting(state, screenshots), pinned(state), cues(state),
      preferences(state) {}

} // namespace tessarin
