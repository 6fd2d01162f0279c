#include "organise/ScreenshotSweeper.h"

#include <algorithm>

namespace tessarin {

ScreenshotSweeper::ScreenshotSweeper(DesktopSurface& surface, StateStore& store, Predicate isScreenshot,
                                     int64_t canvasWidth, int64_t canvasHeight)
    : surface_(surface), store_(store), isScreenshot_(std::move(isScreenshot)), canvasWidth_(canvasWidth),
      canvasHeight_(canvasHeight) {}

std::vector<std::string> ScreenshotSweeper::sweep(const std::string& target,
                                                  const std::string& activeWorkspace,
                                                  const std::set<std::string>& pinned) {
    if (!surface_.sameVolume() || target == activeWorkspace)
        return {};
    std::vector<std::string> picked;
    for (auto& name : surface_.items(Location::desktop()))
        if (!pinned.contains(name) && isScreenshot_(name))
            picked.push_back(std::move(name));

    try {
        surface_.captureLayout(picked, Location::workspace(target));
    } catch (const std::exception&) {
        // The items still move; they come back wherever the icon host puts them.
    }
    std::vector<std::string> moved;
    for (auto& name : picked) {
        try {
            surface_.move(name, Location::desktop(), Location::workspace(target));
            moved.push_back(std::move(name));
        } catch (const std::exception&) {
            // Stays on the Desktop; the next sweep tries again.
        }
    }
    if (moved.empty())
        return {};

    mutateConfig(store_, [&](Config& config) {
        config.updateWorkspace(target, [&](Workspace& w) {
            for (const auto& name : moved) {
                if (std::find(w.files.begin(), w.files.end(), name) != w.files.end())
                    continue;
                w.files.push_back(name);
                if (!w.positions.contains(name))
                    w.positions.set(name, gridSlot(w.positions.size(), canvasWidth_, canvasHeight_));
            }
        });
    });
    return moved;
}

IconPosition ScreenshotSweeper::gridSlot(std::size_t index, int64_t canvasWidth, int64_t canvasHeight) {
    constexpr int64_t spacing = 90;
    constexpr int64_t margin = 70;
    const int64_t rows = std::max<int64_t>((canvasHeight - 210) / spacing, 0) + 1;
    const auto i = static_cast<int64_t>(index);
    const int64_t column = i / rows;
    const int64_t row = i % rows;
    return IconPosition{std::max(canvasWidth - margin - spacing * column, margin), spacing + spacing * row};
}

} // namespace tessarin
