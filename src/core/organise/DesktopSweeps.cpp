#include "organise/DesktopSweeps.h"

#include <set>

namespace tessarin {

namespace {

// A sweep target must be a live desktop: its folder is in the store. An archived desktop's folder
// lives in the archive, so sweeping "into" it would make a stray folder nobody sees.
bool isSweepTarget(const Config& config, const std::string& name) {
    const Workspace* w = config.findWorkspace(name);
    return w != nullptr && w->state == WorkspaceState::active;
}

std::set<std::string> pinnedOf(const Config& config) {
    return {config.settings.pinnedFolders.begin(), config.settings.pinnedFolders.end()};
}

} // namespace

DesktopSweeps::DesktopSweeps(DesktopSurface& surface, StateStore& store, Log& log,
                             const ScreenshotFilter& filter, CanvasSource canvas)
    : surface_(surface), store_(store), log_(log), filter_(filter), canvas_(std::move(canvas)) {}

ScreenshotSweeper DesktopSweeps::sweeper(ScreenshotSweeper::Predicate predicate) const {
    const SweepCanvas canvas = canvas_ ? canvas_() : SweepCanvas{};
    return ScreenshotSweeper(surface_, store_, std::move(predicate), canvas.width, canvas.height);
}

void DesktopSweeps::sweepScreenshots(const Config& config) {
    const AppSettings& s = config.settings;
    if (!s.filterScreenshots || s.screenshotFilteringPaused || !s.screenshotsWorkspace ||
        !isSweepTarget(config, *s.screenshotsWorkspace))
        return;
    const std::string prefix = filter_.effectiveNamePrefix(s.screenshotNamePrefix);
    const bool fallback = s.screenshotFilenameFallback;
    const auto isScreenshot = [this, fallback, prefix](const std::string& name) {
        return filter_.isScreenshot(filter_.desktop() / name, fallback, prefix);
    };
    try {
        const auto swept =
            sweeper(isScreenshot).sweep(*s.screenshotsWorkspace, config.activeWorkspace, pinnedOf(config));
        if (!swept.empty())
            log_.log(LogCategory::sweep, "swept %ld screenshot(s) into %{public}s", swept.size(),
                     *s.screenshotsWorkspace);
    } catch (const std::exception& e) {
        log_.log(LogCategory::error, LogLevel::error, "screenshot sweep failed: %{public}s", e.what());
    }
}

void DesktopSweeps::sweepCustomFilters(const Config& config) {
    if (!config.settings.customFiltersEnabled)
        return;
    const auto pinned = pinnedOf(config);
    for (const CustomFilter& rule : config.settings.customFilters) {
        if (!rule.enabled || rule.pattern.empty() || !isSweepTarget(config, rule.collection))
            continue;
        try {
            const auto swept = sweeper([&rule](const std::string& name) {
                                   return rule.matches(name);
                               }).sweep(rule.collection, config.activeWorkspace, pinned);
            if (!swept.empty())
                log_.log(LogCategory::sweep,
                         "filter \u201c%{public}s\u201d swept %ld file(s) into %{public}s", rule.pattern,
                         swept.size(), rule.collection);
        } catch (const std::exception& e) {
            log_.log(LogCategory::error, LogLevel::error, "custom-filter sweep failed: %{public}s", e.what());
        }
    }
}

void DesktopSweeps::sweepInOrder(const Config& config) {
    if (config.settings.screenshotsOverruleCustom) {
        sweepScreenshots(config);
        sweepCustomFilters(config);
    } else {
        sweepCustomFilters(config);
        sweepScreenshots(config);
    }
}

} // namespace tessarin
