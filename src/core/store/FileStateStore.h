#pragma once

#include "store/StateStore.h"

#include <filesystem>

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

private:
    std::filesystem::path configPath_;
    std::filesystem::path journalPath_;
};

} // namespace tessarin
