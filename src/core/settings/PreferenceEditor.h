#pragma once

#include "settings/SettingsState.h"

#include <optional>
#include <string>

namespace tessarin {

// The plain settings: each setter stores its argument in the setting of the same name, unchecked.
class PreferenceEditor {
public:
    explicit PreferenceEditor(SettingsState& state) : state_(state) {}

    // The switch transition from the user's three choices (SwitchLookSpec::stamp).
    bool stampSwitchAnimation(SwitchLook look, SwitchSpeed speed, SwitchIntensity intensity);

    bool setStartMinimized(bool on) { return store(&AppSettings::startMinimized, on); }
    bool setWarnICloudDesktop(bool on) { return store(&AppSettings::warnICloudDesktop, on); }
    bool setAppearanceMode(AppearanceMode mode);
    bool setAccent(const std::optional<std::string>& hex);
    bool setMenuBarAnimation(MenuBarAnimation animation) {
        return store(&AppSettings::menuBarAnimation, animation);
    }
    bool setOverlaysMuted(bool on) { return store(&AppSettings::overlaysMuted, on); }
    bool setScrollToCycle(bool on) { return store(&AppSettings::scrollToCycle, on); }
    bool setFollowSpaces(bool on) { return store(&AppSettings::followSpaces, on); }
    bool setShowShortcutsInMenu(bool on) { return store(&AppSettings::showShortcutsInMenu, on); }
    bool setShowFloatingDockInMenu(bool on) { return store(&AppSettings::showFloatingDockInMenu, on); }
    bool setShowCleanupCalendarInMenu(bool on) { return store(&AppSettings::showCleanupCalendarInMenu, on); }
    bool setShowScreenshotPauseInMenu(bool on) { return store(&AppSettings::showScreenshotPauseInMenu, on); }
    bool setShowMoveHint(bool on) { return store(&AppSettings::showMoveHint, on); }
    bool setScreenshotFilenameFallback(bool on) {
        return store(&AppSettings::screenshotFilenameFallback, on);
    }
    bool setScreenshotsOverruleCustom(bool on) { return store(&AppSettings::screenshotsOverruleCustom, on); }
    bool setCustomFiltersEnabled(bool on) { return store(&AppSettings::customFiltersEnabled, on); }
    bool setCustomFiltersWatch(bool on) { return store(&AppSettings::customFiltersWatch, on); }
    bool setMuteCleanupNotifications(bool on) { return store(&AppSettings::muteCleanupNotifications, on); }
    bool setCleanupNotifyMinutes(int64_t minutes) {
        return store(&AppSettings::cleanupNotifyMinutes, minutes);
    }
    bool setCleanupNotifyRepeat(bool on) { return store(&AppSettings::cleanupNotifyRepeat, on); }
    bool setCleanupNotifySound(bool on) { return store(&AppSettings::cleanupNotifySound, on); }
    bool setConfirmDrain(bool on) { return store(&AppSettings::confirmDrain, on); }
    bool setConfirmArchive(bool on) { return store(&AppSettings::confirmArchive, on); }
    bool setFloatingDockFastTransition(bool on) {
        return store(&AppSettings::floatingDockFastTransition, on);
    }
    bool setFloatingDockShowFlipButtons(bool on) {
        return store(&AppSettings::floatingDockShowFlipButtons, on);
    }
    bool setFloatingDockRememberPosition(bool on) {
        return store(&AppSettings::floatingDockRememberPosition, on);
    }
    bool setFloatingDockColorFolders(bool on) { return store(&AppSettings::floatingDockColorFolders, on); }
    bool setFloatingDockAppearance(AppearanceMode mode) {
        return store(&AppSettings::floatingDockAppearance, mode);
    }
    bool setFloatingDockMaterial(FloatingDockMaterial material) {
        return store(&AppSettings::floatingDockMaterial, material);
    }
    bool setFloatingDockSize(FloatingDockSize size) { return store(&AppSettings::floatingDockSize, size); }
    bool setFloatingDockAxis(FloatingDockAxis axis) { return store(&AppSettings::floatingDockAxis, axis); }
    bool setFloatingDockCorner(FloatingDockCorner corner) {
        return store(&AppSettings::floatingDockCorner, corner);
    }
    bool dismissDeskListHint() { return store(&AppSettings::showDeskListHint, false); }
    bool dismissShortcutHint() { return store(&AppSettings::showShortcutHint, false); }

private:
    template <typename T> bool store(T AppSettings::*field, T value) {
        return state_.apply([&](Config& c) { c.settings.*field = value; });
    }

    SettingsState& state_;
};

} // namespace tessarin
