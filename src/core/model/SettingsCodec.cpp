#include "model/ConfigCodec.h"
#include "model/RecordCodecs.h"

namespace tessarin {
namespace json {

FloatingDockPosition floatingDockPosition(const Json& value, const Path& path) {
    const ObjectReader fields(value, path);
    FloatingDockPosition position;
    position.nx = fields.required("nx", readDouble);
    position.ny = fields.required("ny", readDouble);
    return position;
}

Json floatingDockPositionJson(const FloatingDockPosition& position) {
    Json object = objectWithCapacity(2);
    put(object, "nx", position.nx);
    put(object, "ny", position.ny);
    return object;
}

Appearance appearance(const Json& value, const Path& path) {
    const ObjectReader fields(value, path);
    Appearance result;
    result.mode = fields.enumeration("mode", AppearanceMode::system);
    if (const Json* slotValue = fields.find("accentSlot")) {
        // Older records chose the accent by slot: 0 is none, k >= 1 the k-th custom accent. A slot
        // past the end (or below zero) falls back to the default accent; accentHex is not read.
        const int64_t slot = readInt(*slotValue, path.key("accentSlot"));
        const auto customAccents = fields.get("customAccents", std::vector<std::string>{}, readStringArray);
        if (slot == 0)
            result.accentHex.reset();
        else if (slot >= 1 && static_cast<uint64_t>(slot - 1) < customAccents.size())
            result.accentHex = customAccents[static_cast<std::size_t>(slot - 1)];
        else
            result.accentHex = std::string(Appearance::defaultAccentHex);
    } else {
        result.accentHex = fields.optional("accentHex", readString);
    }
    return result;
}

Json appearanceJson(const Appearance& value) {
    Json object = objectWithCapacity(2);
    put(object, "mode", enumName(value.mode));
    if (value.accentHex)
        put(object, "accentHex", *value.accentHex);
    return object;
}

AppSettings settings(const Json& value, const Path& path) {
    const ObjectReader fields(value, path);
    const AppSettings d;
    AppSettings s;

    s.cycleNext = fields.optional("cycleNext", hotKeySpec);
    s.cyclePrevious = fields.optional("cyclePrevious", hotKeySpec);
    s.hideDesktopShortcut = fields.optional("hideDesktopShortcut", hotKeySpec);
    s.switchToLastShortcut = fields.optional("switchToLastShortcut", hotKeySpec);
    s.openSettingsShortcut = fields.optional("openSettingsShortcut", hotKeySpec);
    s.openCalendarShortcut = fields.optional("openCalendarShortcut", hotKeySpec);
    s.sortNowShortcut = fields.optional("sortNowShortcut", hotKeySpec);
    s.warnICloudDesktop = fields.get("warnICloudDesktop", d.warnICloudDesktop, readBool);
    s.startMinimized = fields.get("startMinimized", d.startMinimized, readBool);
    s.archiveRoot = fields.optional("archiveRoot", readString);
    s.appearance = fields.get("appearance", d.appearance, json::appearance);
    s.shownFirstSwitchNote = fields.get("shownFirstSwitchNote", d.shownFirstSwitchNote, readBool);
    s.switchTransition = fields.enumeration("switchTransition", d.switchTransition);
    s.menuBarAnimation = fields.enumeration("menuBarAnimation", d.menuBarAnimation);
    s.iconPlacement = fields.enumeration("iconPlacement", d.iconPlacement);
    s.moveGapMs = AppSettings::clampMoveGapMs(fields.get("moveGapMs", d.moveGapMs, readInt));
    s.switchBlurOpacity = fields.get("switchBlurOpacity", d.switchBlurOpacity, readDouble);
    s.switchRevealHoldMs = fields.get("switchRevealHoldMs", d.switchRevealHoldMs, readInt);
    s.switchMinDurationMs = fields.get("switchMinDurationMs", d.switchMinDurationMs, readInt);
    s.switchBlurStyle = fields.enumeration("switchBlurStyle", d.switchBlurStyle);
    s.switchFadeInMs = fields.get("switchFadeInMs", d.switchFadeInMs, readInt);
    s.switchFadeOutMs = fields.get("switchFadeOutMs", d.switchFadeOutMs, readInt);
    s.sweepDurationMs = fields.get("sweepDurationMs", d.sweepDurationMs, readInt);
    s.sweepBandFraction = fields.get("sweepBandFraction", d.sweepBandFraction, readDouble);
    s.sweepStartDelayMs = fields.get("sweepStartDelayMs", d.sweepStartDelayMs, readInt);
    s.sweepAngleDegrees = fields.get("sweepAngleDegrees", d.sweepAngleDegrees, readDouble);
    // Records from before the look/speed/intensity choices derive them from the older fields.
    if (fields.contains("switchLook"))
        s.switchLook = fields.enumeration("switchLook", d.switchLook);
    else
        s.switchLook = AppSettings::derivedLook(s.switchTransition, s.switchBlurStyle, s.sweepAngleDegrees);
    if (fields.contains("switchSpeed"))
        s.switchSpeed = fields.enumeration("switchSpeed", d.switchSpeed);
    else
        s.switchSpeed = AppSettings::derivedSpeed(s.sweepDurationMs);
    if (fields.contains("switchIntensity"))
        s.switchIntensity = fields.enumeration("switchIntensity", d.switchIntensity);
    else
        s.switchIntensity =
            AppSettings::derivedIntensity(s.switchLook, s.sweepBandFraction, s.switchBlurOpacity);
    s.filterScreenshots = fields.get("filterScreenshots", d.filterScreenshots, readBool);
    s.screenshotsWorkspace = fields.optional("screenshotsWorkspace", readString);
    s.screenshotFilenameFallback =
        fields.get("screenshotFilenameFallback", d.screenshotFilenameFallback, readBool);
    s.screenshotNamePrefix = fields.optional("screenshotNamePrefix", readString);
    s.showScreenshotPauseInMenu =
        fields.get("showScreenshotPauseInMenu", d.showScreenshotPauseInMenu, readBool);
    s.screenshotFilteringPaused =
        fields.get("screenshotFilteringPaused", d.screenshotFilteringPaused, readBool);
    s.muteCleanupNotifications = fields.get("muteCleanupNotifications", d.muteCleanupNotifications, readBool);
    s.cleanupNotifyMinutes = fields.get("cleanupNotifyMinutes", d.cleanupNotifyMinutes, readInt);
    s.cleanupNotifyRepeat = fields.get("cleanupNotifyRepeat", d.cleanupNotifyRepeat, readBool);
    s.cleanupNotifySound = fields.get("cleanupNotifySound", d.cleanupNotifySound, readBool);
    s.confirmDrain = fields.get("confirmDrain", d.confirmDrain, readBool);
    s.confirmArchive = fields.get("confirmArchive", d.confirmArchive, readBool);
    s.customFiltersEnabled = fields.get("customFiltersEnabled", d.customFiltersEnabled, readBool);
    if (const Json* filters = fields.find("customFilters")) {
        const Path listPath = path.key("customFilters");
        const auto& items = readArray(*filters, listPath);
        s.customFilters.reserve(items.size());
        for (std::size_t i = 0; i < items.size(); ++i)
            s.customFilters.push_back(customFilter(items[i], listPath.index(i)));
    }
    s.customFiltersWatch = fields.get("customFiltersWatch", d.customFiltersWatch, readBool);
    s.screenshotsOverruleCustom =
        fields.get("screenshotsOverruleCustom", d.screenshotsOverruleCustom, readBool);
    s.overlaysMuted = fields.get("overlaysMuted", d.overlaysMuted, readBool);
    s.hideMenuBarTintInFullScreen =
        fields.get("hideMenuBarTintInFullScreen", d.hideMenuBarTintInFullScreen, readBool);
    s.optionClickCarousel = fields.get("optionClickCarousel", d.optionClickCarousel, readStringArray);
    s.scrollToCycle = fields.get("scrollToCycle", d.scrollToCycle, readBool);
    s.followSpaces = fields.get("followSpaces", d.followSpaces, readBool);
    s.pinnedFolders = fields.get("pinnedFolders", d.pinnedFolders, readStringArray);
    s.floatingDockShortcut = fields.optional("floatingDockShortcut", hotKeySpec);
    s.showFloatingDockInMenu = fields.get("showFloatingDockInMenu", d.showFloatingDockInMenu, readBool);
    s.showCleanupCalendarInMenu =
        fields.get("showCleanupCalendarInMenu", d.showCleanupCalendarInMenu, readBool);
    s.showShortcutsInMenu = fields.get("showShortcutsInMenu", d.showShortcutsInMenu, readBool);
    s.floatingDockRememberPosition =
        fields.get("floatingDockRememberPosition", d.floatingDockRememberPosition, readBool);
    s.floatingDockPosition = fields.optional("floatingDockPosition", floatingDockPosition);
    s.floatingDockFastTransition =
        fields.get("floatingDockFastTransition", d.floatingDockFastTransition, readBool);
    s.floatingDockColorFolders = fields.get("floatingDockColorFolders", d.floatingDockColorFolders, readBool);
    s.floatingDockMaterial = fields.enumeration("floatingDockMaterial", d.floatingDockMaterial);
    s.floatingDockAppearance = fields.enumeration("floatingDockAppearance", d.floatingDockAppearance);
    s.floatingDockAxis = fields.enumeration("floatingDockAxis", d.floatingDockAxis);
    s.floatingDockSize = fields.enumeration("floatingDockSize", d.floatingDockSize);
    s.floatingDockCorner = fields.enumeration("floatingDockCorner", d.floatingDockCorner);
    // Icon positions always travel with the folders, and the corner always ignores full-screen
    // apps: the stored values of these two are not read.
    s.nativePositions = true;
    if (const Json* dwell = fields.find("floatingDockCornerDwellMs"))
        s.floatingDockCornerDwellMs =
            AppSettings::clampCornerDwellMs(readInt(*dwell, path.key("floatingDockCornerDwellMs")));
    s.floatingDockCornerSuppressFullScreen = true;
    s.floatingDockShowFlipButtons =
        fields.get("floatingDockShowFlipButtons", d.floatingDockShowFlipButtons, readBool);
    s.showDeskListHint = fields.get("showDeskListHint", d.showDeskListHint, readBool);
    s.showMoveHint = fields.get("showMoveHint", d.showMoveHint, readBool);
    s.showShortcutHint = fields.get("showShortcutHint", d.showShortcutHint, readBool);
    s.declinedMoveToApplications =
        fields.get("declinedMoveToApplications", d.declinedMoveToApplications, readBool);
    return s;
}

} // namespace json

using namespace json;

Json encodeSettings(const AppSettings& s) {
    Json object = objectWithCapacity(72);
    if (s.cycleNext)
        put(object, "cycleNext", encodeHotKeySpec(*s.cycleNext));
    if (s.cyclePrevious)
        put(object, "cyclePrevious", encodeHotKeySpec(*s.cyclePrevious));
    if (s.hideDesktopShortcut)
        put(object, "hideDesktopShortcut", encodeHotKeySpec(*s.hideDesktopShortcut));
    if (s.switchToLastShortcut)
        put(object, "switchToLastShortcut", encodeHotKeySpec(*s.switchToLastShortcut));
    if (s.openSettingsShortcut)
        put(object, "openSettingsShortcut", encodeHotKeySpec(*s.openSettingsShortcut));
    if (s.openCalendarShortcut)
        put(object, "openCalendarShortcut", encodeHotKeySpec(*s.openCalendarShortcut));
    if (s.sortNowShortcut)
        put(object, "sortNowShortcut", encodeHotKeySpec(*s.sortNowShortcut));
    put(object, "warnICloudDesktop", s.warnICloudDesktop);
    put(object, "startMinimized", s.startMinimized);
    if (s.archiveRoot)
        put(object, "archiveRoot", *s.archiveRoot);
    put(object, "appearance", appearanceJson(s.appearance));
    put(object, "shownFirstSwitchNote", s.shownFirstSwitchNote);
    put(object, "switchTransition", enumName(s.switchTransition));
    put(object, "switchLook", enumName(s.switchLook));
    put(object, "switchSpeed", enumName(s.switchSpeed));
    put(object, "switchIntensity", enumName(s.switchIntensity));
    put(object, "menuBarAnimation", enumName(s.menuBarAnimation));
    put(object, "iconPlacement", enumName(s.iconPlacement));
    put(object, "moveGapMs", s.moveGapMs);
    put(object, "switchBlurOpacity", s.switchBlurOpacity);
    put(object, "switchRevealHoldMs", s.switchRevealHoldMs);
    put(object, "switchMinDurationMs", s.switchMinDurationMs);
    put(object, "switchBlurStyle", enumName(s.switchBlurStyle));
    put(object, "switchFadeInMs", s.switchFadeInMs);
    put(object, "switchFadeOutMs", s.switchFadeOutMs);
    put(object, "sweepDurationMs", s.sweepDurationMs);
    put(object, "sweepBandFraction", s.sweepBandFraction);
    put(object, "sweepStartDelayMs", s.sweepStartDelayMs);
    put(object, "sweepAngleDegrees", s.sweepAngleDegrees);
    put(object, "filterScreenshots", s.filterScreenshots);
    if (s.screenshotsWorkspace)
        put(object, "screenshotsWorkspace", *s.screenshotsWorkspace);
    put(object, "screenshotFilenameFallback", s.screenshotFilenameFallback);
    if (s.screenshotNamePrefix)
        put(object, "screenshotNamePrefix", *s.screenshotNamePrefix);
    put(object, "showScreenshotPauseInMenu", s.showScreenshotPauseInMenu);
    put(object, "screenshotFilteringPaused", s.screenshotFilteringPaused);
    put(object, "muteCleanupNotifications", s.muteCleanupNotifications);
    put(object, "cleanupNotifyMinutes", s.cleanupNotifyMinutes);
    put(object, "cleanupNotifyRepeat", s.cleanupNotifyRepeat);
    put(object, "cleanupNotifySound", s.cleanupNotifySound);
    put(object, "confirmDrain", s.confirmDrain);
    put(object, "confirmArchive", s.confirmArchive);
    put(object, "customFiltersEnabled", s.customFiltersEnabled);
    Json filters = Json::array();
    for (const auto& filter : s.customFilters)
        filters.push_back(encodeCustomFilter(filter));
    put(object, "customFilters", std::move(filters));
    put(object, "customFiltersWatch", s.customFiltersWatch);
    put(object, "screenshotsOverruleCustom", s.screenshotsOverruleCustom);
    put(object, "overlaysMuted", s.overlaysMuted);
    put(object, "hideMenuBarTintInFullScreen", s.hideMenuBarTintInFullScreen);
    put(object, "optionClickCarousel", stringArrayJson(s.optionClickCarousel));
    put(object, "scrollToCycle", s.scrollToCycle);
    put(object, "followSpaces", s.followSpaces);
    put(object, "nativePositions", s.nativePositions);
    put(object, "pinnedFolders", stringArrayJson(s.pinnedFolders));
    if (s.floatingDockShortcut)
        put(object, "floatingDockShortcut", encodeHotKeySpec(*s.floatingDockShortcut));
    put(object, "showFloatingDockInMenu", s.showFloatingDockInMenu);
    put(object, "showCleanupCalendarInMenu", s.showCleanupCalendarInMenu);
    put(object, "showShortcutsInMenu", s.showShortcutsInMenu);
    put(object, "floatingDockRememberPosition", s.floatingDockRememberPosition);
    if (s.floatingDockPosition)
        put(object, "floatingDockPosition", floatingDockPositionJson(*s.floatingDockPosition));
    put(object, "floatingDockFastTransition", s.floatingDockFastTransition);
    put(object, "floatingDockColorFolders", s.floatingDockColorFolders);
    put(object, "floatingDockMaterial", enumName(s.floatingDockMaterial));
    put(object, "floatingDockAppearance", enumName(s.floatingDockAppearance));
    put(object, "floatingDockAxis", enumName(s.floatingDockAxis));
    put(object, "floatingDockSize", enumName(s.floatingDockSize));
    put(object, "floatingDockCorner", enumName(s.floatingDockCorner));
    put(object, "floatingDockCornerDwellMs", s.floatingDockCornerDwellMs);
    put(object, "floatingDockCornerSuppressFullScreen", s.floatingDockCornerSuppressFullScreen);
    put(object, "floatingDockShowFlipButtons", s.floatingDockShowFlipButtons);
    put(object, "showDeskListHint", s.showDeskListHint);
    put(object, "showMoveHint", s.showMoveHint);
    put(object, "showShortcutHint", s.showShortcutHint);
    put(object, "declinedMoveToApplications", s.declinedMoveToApplications);
    return object;
}

} // namespace tessarin
