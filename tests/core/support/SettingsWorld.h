#pragma once

#include "settings/SettingsModel.h"
#include "support/ArchiveWorld.h"
#include "support/CustomRules.h"

#include <string>
#include <vector>

namespace tessarin::test {

// An ArchiveWorld (real folders, a Trash of its own, a manual clock in Berlin) with a settings model
// over it that counts its change notifications.
struct SettingsWorld : ArchiveWorld {
    SettingsModel model{SettingsDependencies{store, paths, files, clock, &archiver}};
    int changes = 0;
    bool busy = false;

    SettingsWorld() {
        model.state.callbacks.onChange = [this] { ++changes; };
        model.state.callbacks.isBusy = [this] { return busy; };
    }

    // Saves "Home" (active), the desktops given (each with its folder) and the blank desktop, then
    // lets the model read it.
    Config desktops(const std::vector<Workspace>& desktops) {
        Config c = document(desktops);
        for (const auto& w : c.workspaces)
            if (w.state == WorkspaceState::active && w.name != Config::blankWorkspaceName)
                std::filesystem::create_directories(folder(w.name));
        model.reload();
        return c;
    }
    // Changes the saved document as another process would, without the model knowing.
    void elsewhere(const std::function<void(Config&)>& change) { mutateConfig(store, change); }

    std::string error() const { return model.errorMessage().value_or(""); }
    std::vector<std::string> names() {
        std::vector<std::string> result;
        for (const auto& w : load().workspaces)
            result.push_back(w.name);
        return result;
    }
};

} // namespace tessarin::test
