#include "settings/ShortcutEditor.h"

#include <algorithm>

namespace tessarin {

bool ShortcutEditor::refuseIfTaken(const HotKeySpec& spec,
                                   const std::optional<HotKeyAssignment::Owner>& excluding) {
    if (const auto owner = shortcutOwner(state_.config(), spec, excluding))
        return !state_.refuse(shortcutConflictMessage(shortcutText_(spec), *owner));
    return false;
}

bool ShortcutEditor::setHotkey(const std::optional<HotKeySpec>& spec, const std::string& name) {
    if (spec && refuseIfTaken(*spec, HotKeyAssignment::Owner::forWorkspace(name)))
        return false;
    return state_.apply([&](Config& c) { c.updateWorkspace(name, [&](Workspace& w) { w.hotkey = spec; }); });
}

bool ShortcutEditor::setCommandShortcut(std::optional<HotKeySpec> AppSettings::*field,
                                        const std::optional<HotKeySpec>& spec) {
    if (spec && refuseIfTaken(*spec, std::nullopt))
        return false;
    return state_.apply([&](Config& c) { c.settings.*field = spec; });
}

bool ShortcutEditor::setCycle(bool next, const std::optional<HotKeySpec>& spec) {
    return setCommandShortcut(next ? &AppSettings::cycleNext : &AppSettings::cyclePrevious, spec);
}

bool ShortcutEditor::setHideDesktopShortcut(const std::optional<HotKeySpec>& spec) {
    return setCommandShortcut(&AppSettings::hideDesktopShortcut, spec);
}

bool ShortcutEditor::setSwitchToLastShortcut(const std::optional<HotKeySpec>& spec) {
    return setCommandShortcut(&AppSettings::switchToLastShortcut, spec);
}

bool ShortcutEditor::setOpenSettingsShortcut(const std::optional<HotKeySpec>& spec) {
    return setCommandShortcut(&AppSettings::openSettingsShortcut, spec);
}

bool ShortcutEditor::setOpenCalendarShortcut(const std::optional<HotKeySpec>& spec) {
    return setCommandShortcut(&AppSettings::openCalendarShortcut, spec);
}

bool ShortcutEditor::setSortNowShortcut(const std::optional<HotKeySpec>& spec) {
    return setCommandShortcut(&AppSettings::sortNowShortcut, spec);
}

bool ShortcutEditor::setFloatingDockShortcut(const std::optional<HotKeySpec>& spec) {
    return setCommandShortcut(&AppSettings::floatingDockShortcut, spec);
}

bool ShortcutEditor::setOptionClickCarousel(const std::vector<std::string>& names) {
    std::vector<std::string> kept;
    for (const auto& name : names) {
        if (kept.size() >= static_cast<std::size_t>(AppSettings::optionClickCarouselLimit))
            break;
        if (!name.empty() && std::find(kept.begin(), kept.end(), name) == kept.end())
            kept.push_back(name);
    }
    return state_.apply([&](Config& c) { c.settings.optionClickCarousel = kept; });
}

} // namespace tessarin
