#pragma once

#include "model/Config.h"
#include "organise/Archiver.h"
#include "organise/FileService.h"
#include "store/Paths.h"
#include "store/StateStore.h"
#include "support/Calendar.h"
#include "support/Clock.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <random>
#include <string>

namespace tessarin {

// What the settings model tells or asks the controller. Each may be left empty.
struct SettingsCallbacks {
    std::function<void()> onChange;   // the document changed: re-arm every component
    std::function<void()> onSweepNow; // run "Sort now"
    std::function<void()> onShowFloatingDock;
    std::function<void(const std::string&)> onSwitch;
    std::function<void()> onPreviewTransition;
    std::function<void()> onUninstall;
    std::function<bool()> isBusy; // a switch is moving items
};

// What the settings model works with and through.
struct SettingsDependencies {
    StateStore& store;
    const Paths& paths;
    FileService& files;
    const Clock& clock;
    Archiver* archiver = nullptr; // the operations that need it refuse without one
    Calendar calendar = {};
};

// The settings model's shared state: its copy of the document (for display and for the checks that
// read it), the last refusal, the last failed move to the Trash, and the one road by which every
// change is written (apply). Operations never throw; they report through errorMessage.
class SettingsState {
public:
    explicit SettingsState(SettingsDependencies dependencies);
    SettingsState(const SettingsState&) = delete;
    SettingsState& operator=(const SettingsState&) = delete;

    SettingsCallbacks callbacks;

    // The copy as last reloaded. It may be older than the file; writes never start from it.
    const Config& config() const { return config_; }
    const std::optional<std::string>& errorMessage() const { return errorMessage_; }
    void clearErrorMessage() { errorMessage_.reset(); }
    const std::optional<DeleteFailure>& deleteFailure() const { return deleteFailure_; }
    void clearDeleteFailure() { deleteFailure_.reset(); }

    // Loads the document into the copy; a default document when it can't be read.
    void reload();
    // Load, change, save through the store. On success the copy is reloaded and onChange called; on
    // failure errorMessage is the error's text and the copy stays as it was. Returns success.
    bool apply(const std::function<void(Config&)>& mutation);
    // Runs an operation that writes by itself (the archiver's): reload and onChange on success,
    // errorMessage = the error's description on failure.
    bool perform(const std::function<void()>& operation);
    // The document was written: reload the copy and tell the controller.
    void changed();
    // Sets errorMessage; returns false so refusals read `return refuse(...)`.
    bool refuse(std::string message);
    void reportDeleteFailure(DeleteFailure failure) { deleteFailure_ = std::move(failure); }

    // The naming rules; a refusal sets errorMessage.
    bool nameIsAllowed(const std::string& name);
    std::string uniqueWorkspaceName(const std::string& base) const;
    bool isBusy() const { return callbacks.isBusy && callbacks.isBusy(); }

    StateStore& store() { return dependencies_.store; }
    const Paths& paths() const { return dependencies_.paths; }
    const std::filesystem::path& workspacesRoot() const { return dependencies_.paths.workspaces; }
    FileService& files() { return dependencies_.files; }
    const Clock& clock() const { return dependencies_.clock; }
    const Calendar& calendar() const { return dependencies_.calendar; }
    Archiver* archiver() { return dependencies_.archiver; }
    std::mt19937_64& random() { return random_; }

private:
    SettingsDependencies dependencies_;
    Config config_;
    std::optional<std::string> errorMessage_;
    std::optional<DeleteFailure> deleteFailure_;
    std::mt19937_64 random_;
};

} // namespace tessarin
