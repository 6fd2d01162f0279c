#pragma once

#include "model/Config.h"
#include "store/FileStateStore.h"
#include "store/Paths.h"
#include "support/TempHome.h"
#include "swap/DesktopSwapper.h"
#include "swap/FileSystemSurface.h"

#include <algorithm>
#include <filesystem>
#include <set>

namespace tessarin::test {

// A throwaway home with a Desktop, a store and a swapper over real folders.
struct SwapWorld {
    TempHome home;
    Paths paths = Paths::make(home.path(), home.path() / "Desktop");
    FileStateStore store{paths.config, paths.journal};
    FileSystemSurface surface{paths.desktop, paths.workspaces};
    std::vector<std::chrono::microseconds> pauses;
    DesktopSwapper swapper{surface, store, [this](std::chrono::microseconds d) { pauses.push_back(d); }};

    SwapWorld() {
        std::filesystem::create_directories(paths.desktop);
        std::filesystem::create_directories(paths.store);
    }

    // Saves a document with these desktops (plus the blank one) and `active` on the Desktop.
    void document(const std::string& active, const std::vector<std::string>& names,
                  const std::vector<std::string>& pinned = {}) {
        Config c = makeDefaultConfig();
        c.activeWorkspace = active;
        for (const auto& n : names)
            c.workspaces.push_back(Workspace::make(n));
        c.workspaces.push_back(Workspace::make(std::string(Config::blankWorkspaceName)));
        c.settings.pinnedFolders = pinned;
        store.saveConfig(c);
    }

    std::filesystem::path folder(const std::string& name) const { return paths.workspaces / name; }

    void put(const std::filesystem::path& dir, const std::string& name, const std::string& content = "") {
        writeFile(dir / name, content.empty() ? name : content);
    }

    // Names in a folder, hidden ones left out, sorted.
    static std::set<std::string> listing(const std::filesystem::path& dir) {
        std::set<std::string> names;
        std::error_code ec;
        for (const auto& e : std::filesystem::directory_iterator(dir, ec)) {
            const auto n = e.path().filename().string();
            if (!n.starts_with("."))
                names.insert(n);
        }
        return names;
    }
    std::set<std::string> desktop() const { return listing(paths.desktop); }
    std::set<std::string> in(const std::string& name) const { return listing(folder(name)); }
};

} // namespace tessarin::test
