#include "organise/DesktopSweeps.h"

#include "support/Utf8.h"
#include "swap/FolderName.h"

#include <set>

namespace tessarin {

namespace {

// A sweep target must be a live desktop: its folder is in the store. An archived desktop's folder
// lives in the archive, so sweeping "into" it would make a stray folder nobody sees.
bool isSweepTarget(const Config& config, const std::string& name) {
    const Workspace* w = config.findWorkspace(name);
    return w != nullptr && w->state == WorkspaceState::active;
}

// A target whose name can't be a desktop folder (a hand-edited document) is logged and skipped.
bool usableTarget(Log& log, const std::string& record, const std::string& name) {
    const auto problem = desktopFolderProblem(name);
    if (problem)
        log.log(LogCategory::error, LogLevel::error, "%{public}s",
                unusableFolderText(record, name, *problem));
    return !problem;
}

// The items a sweep left on the Desktop because the document can't record their names.
void logUnrecordable(Log& log, const ScreenshotSweeper& sweeper) {
    for (const auto& name : sweeper.unrecordable())
        log.log(LogCategory::sweep,
                "left \u201c%{public}s\u201d on the Desktop: its name is not valid UTF-8, so Tessarin can't "
                "record it. Rename it to have it sorted.",
                displayableUtf8(name));
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
        !isSweepTarget(config, *s.screenshotsWorkspace) ||
        !usableTarget(log_, "The screenshots desktop", *s.screenshotsWorkspace))
        return;
    const std::string prefix = filter_.effectiveNamePrefix(s.screenshotNamePrefix);
    const bool fallback = s.screenshotFilenameFallback;
    const auto isScreenshot = [this, fallback, prefix](const std::string& name) {
        return filter_.isScreenshot(filter_.desktop() / name, fallback, prefix);
    };
    try {
        ScreenshotSweeper screenshots = sweeper(isScreenshot);
        const auto swept =
            screenshots.sweep(*s.screenshotsWorkspace, config.activeWorkspace, pinnedOf(config));
        logUnrecordable(log_, screenshots);
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
        if (!rule.enabled || rule.pattern.empty() || !isSweepTarget(config, rule.collection) ||
            !usableTarget(log_, "The desktop of the rule \u201c" + rule.pattern + "\u201d", rule.collection))
            continue;
        try {
            ScreenshotSweeper matches =
                sweeper([&rule](const std::string& name) { return rule.matches(name); });
            const auto swept = matches.sweep(rule.collection, config.activeWorkspace, pinned);
            logUnrecordable(log_, matches);
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
