#pragma once

#include "organise/DesktopSweeps.h"
#include "support/CustomRules.h"
#include "support/SwapWorld.h"

#include <string>
#include <vector>

namespace tessarin::test {

// A SwapWorld with the Desktop sweeps over its real folders. Images are recognised by a few
// extensions; there is no capture flag, as on Linux.
struct SweepWorld : SwapWorld {
    Log log;
    ScreenshotFilter filter{imageServices(), paths.home, paths.desktop};
    DesktopSweeps sweeps{surface, store, log, filter};

    static ScreenshotServices imageServices() {
        ScreenshotServices services;
        services.isImage = [](std::string_view name) {
            return name.ends_with(".png") || name.ends_with(".jpg") || name.ends_with(".PNG");
        };
        return services;
    }

    // Saves the document after `change`, starting from document(active, names).
    template <typename Change>
    void document(const std::string& active, const std::vector<std::string>& names, Change change) {
        SwapWorld::document(active, names);
        mutateConfig(store, change);
    }

    // The log lines of the "sweep" and "error" categories, oldest first.
    std::vector<std::string> sweepLog() const {
        std::vector<std::string> lines;
        for (const auto& e : log.recent(100))
            if (e.category == LogCategory::sweep || e.category == LogCategory::error)
                lines.push_back(e.message);
        return lines;
    }

    std::vector<std::string> filesOf(const std::string& name) {
        return store.loadConfig().findWorkspace(name)->files;
    }
};

} // namespace tessarin::test
