#include "settings/SettingKeys.h"

#include "model/DesktopPalette.h"

#include <charconv>

namespace tessarin {

namespace {

using Getter = SettingKey::Getter;
using Setter = SettingKey::Setter;

std::optional<bool> parseBool(const std::string& text) {
    if (text == "true" || text == "on" || text == "yes")
        return true;
    if (text == "false" || text == "off" || text == "no")
        return false;
    return std::nullopt;
}

SettingKey boolean(std::string name, bool AppSettings::*field, bool (PreferenceEditor::*setter)(bool)) {
    return SettingKey(
        std::move(name), "true or false",
        [field](const Config& c) { return std::string(c.settings.*field ? "true" : "false"); },
        [setter](SettingsModel& m, const std::string& text) -> std::optional<bool> {
            const auto on = parseBool(text);
            if (!on)
                return std::nullopt;
            return (m.preferences.*setter)(*on);
        });
}

template <typename E>
SettingKey enumeration(std::string name, E AppSettings::*field,
                       std::function<bool(SettingsModel&, E)> store) {
    return SettingKey(
        std::move(name), "one of " + enumNameList<E>(),
        [field](const Config& c) { return std::string(enumName(c.settings.*field)); },
        [store](SettingsModel& m, const std::string& text) -> std::optional<bool> {
            const auto value = enumFromName<E>(text);
            if (!value)
                return std::nullopt;
            return store(m, *value);
        });
}

template <typename E>
SettingKey enumeration(std::string name, E AppSettings::*field, bool (PreferenceEditor::*setter)(E)) {
    return enumeration<E>(std::move(name), field,
                          [setter](SettingsModel& m, E value) { return (m.preferences.*setter)(value); });
}

// The look, speed and intensity are stamped together; setting one keeps the other two.
bool stampWith(SettingsModel& m, std::optional<SwitchLook> look, std::optional<SwitchSpeed> speed,
               std::optional<SwitchIntensity> intensity) {
    const AppSettings& s = m.config().settings;
    return m.preferences.stampSwitchAnimation(look.value_or(s.switchLook), speed.value_or(s.switchSpeed),
                                              intensity.value_or(s.switchIntensity));
}

std::string textOrEmpty(const std::optional<std::string>& text) {
    return text.value_or("");
}

} // namespace

SettingKey::SetResult SettingKey::set(SettingsModel& model, const std::string& value) const {
    const auto stored = set_(model, value);
    if (!stored)
        return SetResult::badValue;
    return *stored ? SetResult::stored : SetResult::refused;
}

std::vector<SettingKey> settingKeys() {
    using P = PreferenceEditor;
    std::vector<SettingKey> keys;
    keys.push_back(boolean("warnICloudDesktop", &AppSettings::warnICloudDesktop, &P::setWarnICloudDesktop));
    keys.push_back(boolean("startMinimized", &AppSettings::startMinimized, &P::setStartMinimized));
    keys.push_back(SettingKey(
        "appearance.mode", "one of " + enumNameList<AppearanceMode>(),
        [](const Config& c) { return std::string(enumName(c.settings.appearance.mode)); },
        [](SettingsModel& m, const std::string& text) -> std::optional<bool> {
            const auto mode = enumFromName<AppearanceMode>(text);
            if (!mode)
                return std::nullopt;
            return m.preferences.setAppearanceMode(*mode);
        }));
    keys.push_back(SettingKey(
        "appearance.accentHex", "a colour #RRGGBB, or empty text for none",
        [](const Config& c) { return textOrEmpty(c.settings.appearance.accentHex); },
        [](SettingsModel& m, const std::string& text) -> std::optional<bool> {
            if (text.empty())
                return m.preferences.setAccent(std::nullopt);
            const auto color = parseHex(text);
            if (!color)
                return std::nullopt;
            return m.preferences.setAccent(hexString(*color));
        }));
    keys.push_back(
        enumeration<SwitchLook>("switchLook", &AppSettings::switchLook, [](SettingsModel& m, SwitchLook v) {
            return stampWith(m, v, std::nullopt, std::nullopt);
        }));
    keys.push_back(enumeration<SwitchSpeed>(
        "switchSpeed", &AppSettings::switchSpeed,
        [](SettingsModel& m, SwitchSpeed v) { return stampWith(m, std::nullopt, v, std::nullopt); }));
    keys.push_back(enumeration<SwitchIntensity>(
        "switchIntensity", &AppSettings::switchIntensity,
        [](SettingsModel& m, SwitchIntensity v) { return stampWith(m, std::nullopt, std::nullopt, v); }));
    keys.push_back(enumeration("menuBarAnimation", &AppSettings::menuBarAnimation, &P::setMenuBarAnimation));
    keys.push_back(SettingKey(
        "filterScreenshots", "true or false",
        [](const Config& c) { return std::string(c.settings.filterScreenshots ? "true" : "false"); },
        [](SettingsModel& m, const std::string& text) -> std::optional<bool> {
            const auto on = parseBool(text);
            if (!on)
                return std::nullopt;
            return m.sorting.setFilterScreenshots(*on);
        }));
    keys.push_back(boolean("screenshotFilenameFallback", &AppSettings::screenshotFilenameFallback,
                           &P::setScreenshotFilenameFallback));
    keys.push_back(SettingKey(
        "screenshotNamePrefix", "any text, or empty text for the system's word",
        [](const Config& c) { return textOrEmpty(c.settings.screenshotNamePrefix); },
        [](SettingsModel& m, const std::string& text) -> std::optional<bool> {
            return m.sorting.setScreenshotNamePrefix(text);
        }));
    keys.push_back(boolean("showScreenshotPauseInMenu", &AppSettings::showScreenshotPauseInMenu,
                           &P::setShowScreenshotPauseInMenu));
    keys.push_back(boolean("muteCleanupNotifications", &AppSettings::muteCleanupNotifications,
                           &P::setMuteCleanupNotifications));
    keys.push_back(SettingKey(
        "cleanupNotifyMinutes", "a whole number of minutes after midnight, 0 to 1439",
        [](const Config& c) { return std::to_string(c.settings.cleanupNotifyMinutes); },
        [](SettingsModel& m, const std::string& text) -> std::optional<bool> {
            int64_t minutes = -1;
            const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), minutes);
            if (error != std::errc() || end != text.data() + text.size() || minutes < 0 || minutes > 1439)
                return std::nullopt;
            return m.preferences.setCleanupNotifyMinutes(minutes);
        }));
    keys.push_back(
        boolean("cleanupNotifyRepeat", &AppSettings::cleanupNotifyRepeat, &P::setCleanupNotifyRepeat));
    keys.push_back(
        boolean("cleanupNotifySound", &AppSettings::cleanupNotifySound, &P::setCleanupNotifySound));
    keys.push_back(boolean("confirmDrain", &AppSettings::confirmDrain, &P::setConfirmDrain));
    keys.push_back(boolean("confirmArchive", &AppSettings::confirmArchive, &P::setConfirmArchive));
    keys.push_back(
        boolean("customFiltersEnabled", &AppSettings::customFiltersEnabled, &P::setCustomFiltersEnabled));
    keys.push_back(
        boolean("customFiltersWatch", &AppSettings::customFiltersWatch, &P::setCustomFiltersWatch));
    keys.push_back(boolean("screenshotsOverruleCustom", &AppSettings::screenshotsOverruleCustom,
                           &P::setScreenshotsOverruleCustom));
    keys.push_back(boolean("overlaysMuted", &AppSettings::overlaysMuted, &P::setOverlaysMuted));
    keys.push_back(boolean("scrollToCycle", &AppSettings::scrollToCycle, &P::setScrollToCycle));
    keys.push_back(boolean("followSpaces", &AppSettings::followSpaces, &P::setFollowSpaces));
    keys.push_back(boolean("showFloatingDockInMenu", &AppSettings::showFloatingDockInMenu,
                           &P::setShowFloatingDockInMenu));
    keys.push_back(boolean("showCleanupCalendarInMenu", &AppSettings::showCleanupCalendarInMenu,
                           &P::setShowCleanupCalendarInMenu));
    keys.push_back(
        boolean("showShortcutsInMenu", &AppSettings::showShortcutsInMenu, &P::setShowShortcutsInMenu));
    keys.push_back(boolean("floatingDockRememberPosition", &AppSettings::floatingDockRememberPosition,
                           &P::setFloatingDockRememberPosition));
    keys.push_back(boolean("floatingDockFastTransition", &AppSettings::floatingDockFastTransition,
                           &P::setFloatingDockFastTransition));
    keys.push_back(boolean("floatingDockColorFolders", &AppSettings::floatingDockColorFolders,
                           &P::setFloatingDockColorFolders));
    keys.push_back(
        enumeration("floatingDockMaterial", &AppSettings::floatingDockMaterial, &P::setFloatingDockMaterial));
    keys.push_back(enumeration("floatingDockAppearance", &AppSettings::floatingDockAppearance,
                               &P::setFloatingDockAppearance));
    keys.push_back(enumeration("floatingDockAxis", &AppSettings::floatingDockAxis, &P::setFloatingDockAxis));
    keys.push_back(enumeration("floatingDockSize", &AppSettings::floatingDockSize, &P::setFloatingDockSize));
    keys.push_back(
        enumeration("floatingDockCorner", &AppSettings::floatingDockCorner, &P::setFloatingDockCorner));
    keys.push_back(boolean("floatingDockShowFlipButtons", &AppSettings::floatingDockShowFlipButtons,
                           &P::setFloatingDockShowFlipButtons));
    keys.push_back(boolean("showMoveHint", &AppSettings::showMoveHint, &P::setShowMoveHint));
    return keys;
}

std::optional<SettingKey> findSettingKey(const std::string& name) {
    for (auto& key : settingKeys())
        if (key.name() == name)
            return key;
    return std::nullopt;
}

} // namespace tessarin
