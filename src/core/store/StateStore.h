#pragma once

#include "model/Config.h"
#include "swap/Journal.h"

#include <functional>
#include <optional>
#include <stdexcept>

namespace tessarin {

// A document written by a newer version of the program: it is never overwritten.
class StoreError : public std::runtime_error {
public:
    explicit StoreError(int64_t fileVersion);
    int64_t fileVersion() const { return fileVersion_; }

    static constexpr const char* newerText =
        "Your Tessarin data was saved by a newer version of the app. Update Tessarin to make changes — "
        "nothing has been changed or lost.";

private:
    int64_t fileVersion_;
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
