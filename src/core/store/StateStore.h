#pragma once

#include "model/Config.h"
#include "swap/Journal.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <stdexcept>
#include <system_error>

namespace tessarin {

// A state file that must not be written: a document saved by a newer version of the program, or a
// file that exists but can't be read (no permission, an I/O error, a folder in its place). Only a
// missing file is a first launch; any other failure to read leaves everything as it is.
class StoreError : public std::runtime_error {
public:
    enum class Kind { configNewerThanApp, unreadable };

    // configNewerThanApp.
    explicit StoreError(int64_t fileVersion);
    // unreadable: `file` and the reason it could not be read.
    static StoreError unreadable(const std::filesystem::path& file, const std::error_code& reason);

    Kind kind() const { return kind_; }
    int64_t fileVersion() const { return fileVersion_; }

    static constexpr const char* newerText =
        "Your Tessarin data was saved by a newer version of the app. Update Tessarin to make changes — "
        "nothing has been changed or lost.";

private:
    StoreError(Kind kind, const std::string& text) : std::runtime_error(text), kind_(kind) {}
    Kind kind_ = Kind::configNewerThanApp;
    int64_t fileVersion_ = 0;
};

// The two state files: the configuration document and the switch journal. Every call goes to disk;
// nothing is kept in memory between calls.
class StateStore {
public:
    virtual ~StateStore() = default;
    virtual Config loadConfig() = 0;
    virtual void saveConfig(const Config& config) = 0;
    virtual std::optional<Journal> loadJournal() = 0;
    // None deletes the journal.
    virtual void saveJournal(const std::optional<Journal>& journal) = 0;
};

// Load, change, save. An error in any step ends the operation; a failing change saves nothing.
void mutateConfig(StateStore& store, const std::function<void(Config&)>& change);

} // namespace tessarin
