#pragma once

#include "model/CustomFilter.h"
#include "model/Enumerations.h"
#include "model/HotKeySpec.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tessarin {

// The app's appearance mode and accent colour.
struct Appearance {
    static constexpr std::string_view defaultAccentHex = "#C79A5B";

    AppearanceMode mode = AppearanceMode::system;
    std::optional<std::string> accentHex; // a new Appearance has no accent

    bool operator==(const Appearance&) const = default;
};

// The floating dock's remembered position in normalised screen coordinates.
struct FloatingDockPosition {
    double nx = 0;
    double ny = 0;

    bool operator==(const FloatingDockPosition&) const = default;
};

// Every user preference, in stored order. `AppSettings()` is the record with every default.
struct AppSettings {
    static constexpr int64_t optionClickCarouselLimit = 4;
    static constexpr int64_t minCornerDwellMs = 20;
    static constexpr int64_t maxCornerDwellMs = 2000;
    // The pause between the two phases of a switch, while the outgoing items are already gone from the
    // Desktop: never negative, never longer than a second.
    static constexpr int64_t maxMoveGapMs = 1000;

    std::optional<HotKeySpec> cycleNext;                                                      // 1
    std::optional<HotKeySpec> cyclePrevious;                                                  // 2
    std::optional<HotKeySpec> hideDesktopShortcut;                                            // 3
    std::optional<HotKeySpec> switchToLastShortcut;                                           // 4
    std::optional<HotKeySpec> openSettingsShortcut;                                           // 5
    std::optional<HotKeySpec> openCalendarShortcut;                                           // 6
    std::optional<HotKeySpec> sortNowShortcut;                                                // 7
    bool warnICloudDesktop = true;                                                            // 8
    bool startMinimized = false;                                                              // 9
    std::optional<std::string> archiveRoot;                                                   // 10
    Appearance appearance{AppearanceMode::system, std::string(Appearance::defaultAccentHex)}; // 11
    bool shownFirstSwitchNote = false;                                                        // 12
    SwitchTransition switchTransition = SwitchTransition::none;                               // 13
    SwitchLook switchLook = SwitchLook::none;                                                 // 14
    SwitchSpeed switchSpeed = SwitchSpeed::normal;                                            // 15
    SwitchIntensity switchIntensity = SwitchIntensity::medium;                                // 16
    MenuBarAnimation menuBarAnimation = MenuBarAnimation::nudge;                              // 17
    IconPlacement iconPlacement = IconPlacement::settle;                                      // 18
    int64_t moveGapMs = 10;                                                                   // 19
    double switchBlurOpacity = 0.5;                                                           // 20
    int64_t switchRevealHoldMs = 0;                                                           // 21
    int64_t switchMinDurationMs = 1000;                                                       // 22
    SwitchBlurStyle switchBlurStyle = SwitchBlurStyle::frost;                                 // 23
    int64_t switchFadeInMs = 260;                                                             // 24
    int64_t switchFadeOutMs = 500;                                                            // 25
    int64_t sweepDurationMs = 725;                                                            // 26
    double sweepBandFraction = 0.45;                                                          // 27
    int64_t sweepStartDelayMs = 280;                                                          // 28
    double sweepAngleDegrees = -20.0;                                                         // 29
    bool filterScreenshots = false;                                                           // 30
    std::optional<std::string> screenshotsWorkspace;                                          // 31
    bool screenshotFilenameFallback = false;                                                  // 32
    std::optional<std::string> screenshotNamePrefix;                                          // 33
    bool showScreenshotPauseInMenu = false;                                                   // 34
    bool screenshotFilteringPaused = false;                                                   // 35
    bool muteCleanupNotifications = false;                                                    // 36
    int64_t cleanupNotifyMinutes = 540;                                                       // 37
    bool cleanupNotifyRepeat = false;                                                         // 38
    bool cleanupNotifySound = true;                                                           // 39
    bool confirmDrain = true;                                                                 // 40
    bool confirmArchive = true;                                                               // 41
    bool customFiltersEnabled = false;                                                        // 42
    std::vector<CustomFilter> customFilters;                                                  // 43
    bool customFiltersWatch = false;                                                          // 44
    bool screenshotsOverruleCustom = true;                                                    // 45
    bool overlaysMuted = false;                                                               // 46
    bool hideMenuBarTintInFullScreen = false;                                                 // 47
    std::vector<std::string> optionClickCarousel;                                             // 48
    bool scrollToCycle = true;                                                                // 49
    bool followSpaces = false;                                                                // 50
    bool nativePositions = true;                                                              // 51
    std::vector<std::string> pinnedFolders;                                                   // 52
    std::optional<HotKeySpec> floatingDockShortcut;                                           // 53
    bool showFloatingDockInMenu = true;                                                       // 54
    bool showCleanupCalendarInMenu = true;                                                    // 55
    bool showShortcutsInMenu = false;                                                         // 56
    bool floatingDockRememberPosition = false;                                                // 57
    std::optional<FloatingDockPosition> floatingDockPosition;                                 // 58
    bool floatingDockFastTransition = true;                                                   // 59
    bool floatingDockColorFolders = false;                                                    // 60
    FloatingDockMaterial floatingDockMaterial = FloatingDockMaterial::solid;                  // 61
    AppearanceMode floatingDockAppearance = AppearanceMode::system;                           // 62
    FloatingDockAxis floatingDockAxis = FloatingDockAxis::horizontal;                         // 63
    FloatingDockSize floatingDockSize = FloatingDockSize::system;                             // 64
    FloatingDockCorner floatingDockCorner = FloatingDockCorner::off;                          // 65
    int64_t floatingDockCornerDwellMs = 50;                                                   // 66
    bool floatingDockCornerSuppressFullScreen = true;                                         // 67
    bool floatingDockShowFlipButtons = true;                                                  // 68
    bool showDeskListHint = true;                                                             // 69
    bool showMoveHint = true;                                                                 // 70
    bool showShortcutHint = true;                                                             // 71
    bool declinedMoveToApplications = false;                                                  // 72

    // The look an older record without `switchLook` had: none for no transition; soft or frost for
    // blur; for sweep the look whose reference angle (0, 90, -20, +20 degrees) is nearest, earlier
    // candidates winning ties.
    static SwitchLook derivedLook(SwitchTransition transition, SwitchBlurStyle blurStyle, double angle);
    // The speed whose reference duration (978.75, 725, 507.5 ms) is nearest; ties go to the slower.
    static SwitchSpeed derivedSpeed(int64_t sweepDurationMs);
    // Sweep looks compare the band fraction with 0.2/0.45/0.72, the others the blur opacity with
    // 0.3/0.45/0.6; the weaker intensity wins ties.
    static SwitchIntensity derivedIntensity(SwitchLook look, double bandFraction, double opacity);
    static int64_t clampCornerDwellMs(int64_t ms);
    static int64_t clampMoveGapMs(int64_t ms);

    bool operator==(const AppSettings&) const = default;
};

} // namespace tessarin
