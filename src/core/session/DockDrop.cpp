#include "session/DockDrop.h"

#include "organise/ScreenshotFilter.h"

#include <algorithm>

namespace tessarin {

namespace fs = std::filesystem;

DockDrop::DockDrop(StateStore& store, DesktopSurface& surface, fs::path desktop, std::function<bool()> isBusy,
                   std::function<void()> afterDrop)
    : store_(store), surface_(surface), desktop_(std::move(desktop)), isBusy_(std::move(isBusy)),
      afterDrop_(std::move(afterDrop)) {}

std::vector<std::string> DockDrop::handleDockDrop(const std::vector<fs::path>& items,
                                                  const std::string& target) {
    if (isBusy_ && isBusy_())
        return {};
    Config config;
    try {
        config = store_.loadConfig();
    } catch (...) {
        config = makeDefaultConfig();
    }
    // Only a live desktop's folder is in the store; an archived one's is in the archive.
    const Workspace* into = config.findWorkspace(target);
    if (target == config.activeWorkspace || !into || into->state != WorkspaceState::active)
        return {};

    const fs::path desktop = standardisedPath(desktop_);
    const auto& pinned = config.settings.pinnedFolders;
    std::vector<std::string> names;
    for (const auto& item : items) {
        const fs::path standard = standardisedPath(item);
        const std::string name = standard.filename().string();
        if (standard.parent_path() == desktop &&
            std::find(pinned.begin(), pinned.end(), name) == pinned.end())
            names.push_back(name);
    }
    try {
        surface_.captureLayout(names, Location::workspace(target));
    } catch (const std::exception&) {
    }
    std::vector<std::string> moved;
    for (const auto& name : names) {
        try {
            surface_.move(name, Location::desktop(), Location::workspace(target));
            moved.push_back(name);
        } catch (const std::exception&) {
        }
    }
    if (moved.empty())
        return {};

    try {
        mutateConfig(store_, [&](Config& c) {
            c.updateWorkspace(target, [&](Workspace& w) {
                for (const auto& name : moved)
                    if (std::find(w.files.begin(), w.files.end(), name) == w.files.end())
                        w.files.push_back(name);
            });
            c.updateWorkspace(c.activeWorkspace, [&](Workspace& w) {
                std::erase_if(w.files, [&](const std::string& name) {
                    return std::find(moved.begin(), moved.end(), name) != moved.end();
                });
            });
        });
    } catch (...) {
        // The items moved; the bookkeeping catches up at the next switch.
    }
    if (afterDrop_)
        afterDrop_();
    return moved;
}

} // namespace tessarin
