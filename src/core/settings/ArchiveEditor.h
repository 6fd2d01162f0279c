#pragma once

#include "settings/SettingsState.h"

#include <filesystem>
#include <optional>
#include <string>

namespace tessarin {

// The settings model's archiver operations: archive, restore, pour, the removals to the Trash, the
// archive folder and the sorted marks. Refusals and failures land in errorMessage (the archiver's
// user-facing text), a folder the Trash would not take in deleteFailure.
class ArchiveEditor {
public:
    static constexpr const char* unavailableText = "Archiving isn't available right now.";

    explicit ArchiveEditor(SettingsState& state) : state_(state) {}

    bool archive(const std::string& name);
    bool restore(const std::string& name);
    // Pours a temporary desktop into a folder inside the permanent desktop `target`.
    bool drain(const std::string& name, const std::string& target);
    // A live desktop to the Trash; refused for the active desktop and while a switch is moving items.
    bool deleteWorkspace(const std::string& name);
    bool deleteArchived(const std::string& name);
    bool removeFromConfig(const std::string& name);
    bool setArchiveRoot(const std::optional<std::filesystem::path>& folder);
    bool setArchivedSorted(const std::string& name, bool sorted);

private:
    bool withArchiver(const std::function<void(Archiver&)>& operation);
    // An operation that reports a refusal or a Trash failure instead of throwing.
    bool removal(const std::function<RemovalOutcome(Archiver&)>& operation);

    SettingsState& state_;
};

} // namespace tessarin
