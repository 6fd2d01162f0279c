#include "dock/DockDrop.h"

#include <algorithm>

namespace tessarin {

namespace fs = std::filesystem;

namespace {

fs::path standardised(const fs::path& p) {
    std::error_code ec;
    const fs::path r = fs::weakly_canonical(p, ec);
    return ec ? p.lexically_normal() : r;
}

} // namespace

std::vector<std::string> dropOntoDesktop(const std::vector<fs::path>& dropped, const std::string& target,
                                         const Paths& paths, StateStore& store, DesktopSurface& surface) {
    Config document;
    try {
        document = store.loadConfig();
    } catch (...) {
        document = makeDefaultConfig();
    }
    if (target == document.activeWorkspace || !document.findWorkspace(target))
        return {};
    const fs::path desktop = standardised(paths.desktop);
    const auto& pinned = document.settings.pinnedFolders;
    std::vector<std::string> moved;
    for (const auto& path : dropped) {
        fs::path clean = path.lexically_normal();
        if (!clean.has_filename())
            clean = clean.parent_path(); // a folder given as ".../name/"
        const std::string name = clean.filename().string();
        if (name.empty() || standardised(clean.parent_path()) != desktop)
            continue; // from anywhere but the Desktop itself
        if (std::find(pinned.begin(), pinned.end(), name) != pinned.end())
            continue;
        try {
            surface.move(name, Location::desktop(), Location::workspace(target));
            moved.push_back(name);
        } catch (...) {
        }
    }
    if (moved.empty())
        return moved;
    try {
        mutateConfig(store, [&](Config& c) {
            c.updateWorkspace(target, [&](Workspace& w) {
                for (const auto& n : moved)
                    if (std::find(w.files.begin(), w.files.end(), n) == w.files.end())
                        w.files.push_back(n);
            });
            c.updateWorkspace(c.activeWorkspace, [&](Workspace& w) {
                std::erase_if(w.files, [&](const std::string& f) {
                    return std::find(moved.begin(), moved.end(), f) != moved.end();
                });
            });
        });
    } catch (...) {
    }
    return moved;
}

} // namespace tessarin
