#pragma once

#include "organise/ScreenshotFilter.h"
#include "settings/SettingsState.h"

#include <optional>
#include <string>

namespace tessarin {

// Screenshot filtering and the custom filename rules.
class SortingEditor {
public:
    // `screenshots` answers where screenshots are saved; without it they count as saved to the Desktop.
    SortingEditor(SettingsState& state, const ScreenshotFilter* screenshots)
        : state_(state), screenshots_(screenshots) {}

    // On: makes (or reuses) the screenshots desktop, points filtering at it and ends any pause.
    // Off: filtering and the pause end; the desktop stays.
    bool setFilterScreenshots(bool on);
    // Empty stores none (the system's word applies); anything else as typed.
    bool setScreenshotNamePrefix(const std::string& text);
    bool screenshotsSaveToDesktop() const;

    // Appends an enabled rule without word or desktop; returns its id (none when it was not saved).
    std::optional<Uuid> addCustomFilter();
    bool removeCustomFilter(const Uuid& id);
    bool setCustomFilterEnabled(const Uuid& id, bool on);
    bool setCustomFilterPattern(const Uuid& id, const std::string& text);
    // Targets the rule at a desktop, making a permanent one when no desktop has the (trimmed) name;
    // an empty name clears the target.
    bool setCustomFilterCollection(const Uuid& id, const std::string& name);

private:
    bool hasRule(const Uuid& id) const;
    bool updateRule(const Uuid& id, const std::function<void(CustomFilter&)>& change);
    // The folder of a desktop to be made; on failure errorMessage = prefix + the system's text.
    bool makeFolder(const std::string& name, const char* failurePrefix);
    Workspace newPermanentDesktop(const std::string& name) const;

    SettingsState& state_;
    const ScreenshotFilter* screenshots_;
};

} // namespace tessarin
