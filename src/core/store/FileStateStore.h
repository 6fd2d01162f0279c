#pragma once

#include "store/AtomicFile.h"
#include "store/StateStore.h"
#include "support/Clock.h"
#include "support/Date.h"

#include <filesystem>
#include <optional>
#include <string>

namespace tessarin {

// The state files on disk. Construction touches no file; the folders holding the files are made by
// the store's start-up, so saving before they exist fails with the file system's error.
class FileStateStore : public StateStore {
public:
    FileStateStore(std::filesystem::path configPath, std::filesystem::path journalPath);

    // A missing config.json (first launch) gives the default document; one that exists but can't be
    // read throws StoreError (unreadable), undecodable bytes DecodeError. No version check here: a newer
    // document is read with this version's rules.
    Config loadConfig() override;
    // Refuses (StoreError) a document whose schemaVersion is above the current one, writing
    // nothing; otherwise writes it atomically with schemaVersion set to the current one.
    void saveConfig(const Config& config) override;
    // Missing or empty: none. Unreadable: StoreError. Undecodable: DecodeError.
    std::optional<Journal> loadJournal() override;
    void saveJournal(const std::optional<Journal>& journal) override;

    const std::filesystem::path& configPath() const { return configPath_; }
    const std::filesystem::path& journalPath() const { return journalPath_; }

    // For a process that holds the store lock, so that nobody else writes the document: the document
    // last read is kept and handed out again while config.json is still the file it was read from
    // (same inode, size and times), instead of being read and decoded for every load. Off by default.
    void keepDocument(bool keep);

    // From now on every document this store saves marks visited, unless it records a later visit,
    // `workspace` at `when` and its own active desktop at the time of the save (by `clock`): a visit then
    // costs no write of its own, and a command that writes nothing leaves the document as it was.
    void carryVisits(std::string workspace, Date when, const Clock& clock);

private:
    std::filesystem::path configPath_;
    std::filesystem::path journalPath_;
    bool keep_ = false;
    struct Kept {
        FileVersion version;
        Config config;
    };
    std::optional<Kept> kept_;
    struct Visit {
        std::string workspace;
        Date when;
        const Clock* clock;
    };
    std::optional<Visit> visit_;
};

} // namespace tessarin
