#pragma once

#include "settings/ArchiveEditor.h"
#include "settings/CalendarEditor.h"
#include "settings/CueEditor.h"
#include "settings/DesktopEditor.h"
#include "settings/PinnedEditor.h"
#include "settings/PreferenceEditor.h"
#include "settings/SettingsState.h"
#include "settings/ShortcutEditor.h"
#include "settings/SortingEditor.h"

namespace tessarin {

// The only road by which the settings window, the creation sheet, the cleanup calendar and
// tessarinctl change the document. `state` holds the copy, the last refusal and the callbacks; the
// editors offer one operation per user action, grouped by subject:
//
//   model.desktops.rename("Work", "Projects");
//   if (model.state.errorMessage()) show(*model.state.errorMessage());
class SettingsModel {
public:
    // `shortcutText` names a shortcut in conflict messages; the glyphs and "Key <code>" by default.
    // `screenshots` tells where screenshots are saved; may be null.
    explicit SettingsModel(SettingsDependencies dependencies,
                           ShortcutText shortcutText = provisionalShortcutText,
                           const ScreenshotFilter* screenshots = nullptr);
    SettingsModel(const SettingsModel&) = delete;
    SettingsModel& operator=(const SettingsModel&) = delete;

    SettingsState state;
    DesktopEditor desktops;
    ArchiveEditor archives;
    CalendarEditor calendar;
    ShortcutEditor shortcuts;
    SortingEditor sorting;
    PinnedEditor pinned;
    CueEditor cues;
    PreferenceEditor preferences;

    // Shorthands for the state's most used parts.
    const Config& config() const { return state.config(); }
    const std::optional<std::string>& errorMessage() const { return state.errorMessage(); }
    void reload() { state.reload(); }
};

} // namespace tessarin
