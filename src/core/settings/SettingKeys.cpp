#include "settings/SettingKeys.h"

#include "model/ConfigCodec.h"
#include "model/DesktopPalette.h"
#include "swap/DesktopSwapper.h"

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

// Stores `value` in the field, unchecked beyond what the key's parser let through.
template <typename T> bool storeField(SettingsModel& m, T AppSettings::*field, T value) {
    return m.state.apply([&](Config& c) { c.settings.*field = value; });
}

SettingKey boolean(std::string name, bool AppSettings::*field,
                   std::function<bool(SettingsModel&, bool)> store) {
    return SettingKey(
        std::move(name), "true or false",
        [field](const Config& c) { return std::string(c.settings.*field ? "true" : "false"); },
        [store](SettingsModel& m, const std::string& text) -> std::optional<bool> {
            const auto on = parseBool(text);
            if (!on)
                return std::nullopt;
            return store(m, *on);
        });
}

SettingKey boolean(std::string name, bool AppSettings::*field, bool (PreferenceEditor::*setter)(bool)) {
    return boolean(std::move(name), field,
                   [setter](SettingsModel& m, bool on) { return (m.preferences.*setter)(on); });
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

// A flag the settings window does not show: stored as given.
SettingKey flag(std::string name, bool AppSettings::*field) {
    return boolean(std::move(name), field,
                   [field](SettingsModel& m, bool on) { return storeField(m, field, on); });
}

// A flag that reading the document always turns on: only true is worth storing.
SettingKey alwaysOn(std::string name, bool AppSettings::*field) {
    return SettingKey(
        std::move(name), "true (it is always on)",
        [field](const Config& c) { return std::string(c.settings.*field ? "true" : "false"); },
        [field](SettingsModel& m, const std::string& text) -> std::optional<bool> {
            if (parseBool(text) != true)
                return std::nullopt;
            return storeField(m, field, true);
        });
}

// A whole number from `low` to `high`.
SettingKey integer(std::string name, int64_t AppSettings::*field, int64_t low, int64_t high, const char* unit,
                   std::function<bool(SettingsModel&, int64_t)> store = {}) {
    if (!store)
        store = [field](SettingsModel& m, int64_t v) { return storeField(m, field, v); };
    return SettingKey(
        std::move(name),
        std::string("a whole number of ") + unit + ", " + std::to_string(low) + " to " + std::to_string(high),
        [field](const Config& c) { return std::to_string(c.settings.*field); },
        [low, high, store](SettingsModel& m, const std::string& text) -> std::optional<bool> {
            int64_t value = 0;
            const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
            if (text.empty() || error != std::errc() || end != text.data() + text.size() || value < low ||
                value > high)
                return std::nullopt;
            return store(m, value);
        });
}

// A number from `low` to `high`, decimals allowed.
SettingKey number(std::string name, double AppSettings::*field, double low, double high, const char* range) {
    return SettingKey(
        std::move(name), std::string("a number from ") + range,
        [field](const Config& c) { return Json(c.settings.*field).dump(); },
        [field, low, high](SettingsModel& m, const std::string& text) -> std::optional<bool> {
            double value = 0;
            const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
            if (text.empty() || error != std::errc() || end != text.data() + text.size() || !(value >= low) ||
                !(value <= high))
                return std::nullopt;
            return storeField(m, field, value);
        });
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
        "archiveRoot",
        "an absolute folder path on the disk of the desktops folder, or empty text for the default",
        [](const Config& c) { return textOrEmpty(c.settings.archiveRoot); },
        [](SettingsModel& m, const std::string& text) -> std::optional<bool> {
            if (text.empty())
                return m.archives.setArchiveRoot(std::nullopt);
            if (!std::filesystem::path(text).is_absolute())
                return std::nullopt;
            return m.archives.setArchiveRoot(std::filesystem::path(text));
        }));
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
    keys.push_back(flag("shownFirstSwitchNote", &AppSettings::shownFirstSwitchNote));
    keys.push_back(enumeration<SwitchTransition>("switchTransition", &AppSettings::switchTransition,
                                                 [](SettingsModel& m, SwitchTransition v) {
                                                     return storeField(m, &AppSettings::switchTransition, v);
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
    keys.push_back(enumeration<IconPlacement>(
        "iconPlacement", &AppSettings::iconPlacement,
        [](SettingsModel& m, IconPlacement v) { return storeField(m, &AppSettings::iconPlacement, v); }));
    keys.push_back(integer("moveGapMs", &AppSettings::moveGapMs, 0, 1000, "milliseconds"));
    keys.push_back(number("switchBlurOpacity", &AppSettings::switchBlurOpacity, 0, 1, "0 to 1"));
    keys.push_back(integer("switchRevealHoldMs", &AppSettings::switchRevealHoldMs, 0, 10000, "milliseconds"));
    keys.push_back(
        integer("switchMinDurationMs", &AppSettings::switchMinDurationMs, 0, 10000, "milliseconds"));
    keys.push_back(enumeration<SwitchBlurStyle>(
        "switchBlurStyle", &AppSettings::switchBlurStyle,
        [](SettingsModel& m, SwitchBlurStyle v) { return storeField(m, &AppSettings::switchBlurStyle, v); }));
    keys.push_back(integer("switchFadeInMs", &AppSettings::switchFadeInMs, 0, 10000, "milliseconds"));
    keys.push_back(integer("switchFadeOutMs", &AppSettings::switchFadeOutMs, 0, 10000, "milliseconds"));
    keys.push_back(integer("sweepDurationMs", &AppSettings::sweepDurationMs, 100, 10000, "milliseconds"));
    keys.push_back(number("sweepBandFraction", &AppSettings::sweepBandFraction, 0, 1, "0 to 1"));
    keys.push_back(integer("sweepStartDelayMs", &AppSettings::sweepStartDelayMs, 0, 10000, "milliseconds"));
    keys.push_back(number("sweepAngleDegrees", &AppSettings::sweepAngleDegrees, -90, 90, "-90 to 90"));
    keys.push_back(boolean("filterScreenshots", &AppSettings::filterScreenshots,
                           [](SettingsModel& m, bool on) { return m.sorting.setFilterScreenshots(on); }));
    keys.push_back(SettingKey(
        "screenshotsWorkspace", "the name of a desktop, or empty text for none",
        [](const Config& c) { return textOrEmpty(c.settings.screenshotsWorkspace); },
        [](SettingsModel& m, const std::string& text) -> std::optional<bool> {
            if (!text.empty() && !m.config().findWorkspace(text))
                return m.state.refuse(SwapError::unknownWorkspace(text).what());
            const std::optional<std::string> name = text.empty() ? std::nullopt : std::optional(text);
            return m.state.apply([&](Config& c) { c.settings.screenshotsWorkspace = name; });
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
    keys.push_back(flag("screenshotFilteringPaused", &AppSettings::screenshotFilteringPaused));
    keys.push_back(boolean("muteCleanupNotifications", &AppSettings::muteCleanupNotifications,
                           &P::setMuteCleanupNotifications));
    keys.push_back(integer(
        "cleanupNotifyMinutes", &AppSettings::cleanupNotifyMinutes, 0, 1439, "minutes after midnight",
        [](SettingsModel& m, int64_t minutes) { return m.preferences.setCleanupNotifyMinutes(minutes); }));
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
    keys.push_back(flag("hideMenuBarTintInFullScreen", &AppSettings::hideMenuBarTintInFullScreen));
    keys.push_back(boolean("scrollToCycle", &AppSettings::scrollToCycle, &P::setScrollToCycle));
    keys.push_back(boolean("followSpaces", &AppSettings::followSpaces, &P::setFollowSpaces));
    keys.push_back(alwaysOn("nativePositions", &AppSettings::nativePositions));
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
    keys.push_back(integer("floatingDockCornerDwellMs", &AppSettings::floatingDockCornerDwellMs,
                           AppSettings::minCornerDwellMs, AppSettings::maxCornerDwellMs, "milliseconds"));
    keys.push_back(
        alwaysOn("floatingDockCornerSuppressFullScreen", &AppSettings::floatingDockCornerSuppressFullScreen));
    keys.push_back(boolean("floatingDockShowFlipButtons", &AppSettings::floatingDockShowFlipButtons,
                           &P::setFloatingDockShowFlipButtons));
    keys.push_back(flag("showDeskListHint", &AppSettings::showDeskListHint));
    keys.push_back(boolean("showMoveHint", &AppSettings::showMoveHint, &P::setShowMoveHint));
    keys.push_back(flag("showShortcutHint", &AppSettings::showShortcutHint));
    keys.push_back(flag("declinedMoveToApplications", &AppSettings::declinedMoveToApplications));
    return keys;
}

std::optional<SettingKey> findSettingKey(const std::string& name) {
    for (auto& key : settingKeys())
        if (key.name() == name)
            return key;
    return std::nullopt;
}

} // namespace tessarin
