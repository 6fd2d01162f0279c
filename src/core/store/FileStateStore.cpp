#include "store/FileStateStore.h"

#include "model/ConfigCodec.h"
#include "store/AtomicFile.h"

#include <unistd.h>

namespace tessarin {

FileStateStore::FileStateStore(std::filesystem::path configPath, std::filesystem::path journalPath)
    : configPath_(std::move(configPath)), journalPath_(std::move(journalPath)) {}

namespace {

std::optional<std::string> readStateFile(const std::filesystem::path& path) {
    try {
        return readWholeFile(path);
    } catch (const std::system_error& e) {
        throw StoreError::unreadable(path, e.code());
    }
}

} // namespace

Config FileStateStore::loadConfig() {
    const auto bytes = readStateFile(configPath_);
    if (!bytes)
        return makeDefaultConfig();
    return decodeConfig(*bytes);
}

void FileStateStore::saveConfig(const Config& config) {
    if (config.schemaVersion > Config::currentSchemaVersion)
        throw StoreError(config.schemaVersion);
    Config copy = config;
    copy.schemaVersion = Config::currentSchemaVersion;
    writeAtomically(configPath_, encodeConfig(copy));
}

std::optional<Journal> FileStateStore::loadJournal() {
    const auto bytes = readStateFile(journalPath_);
    if (!bytes || bytes->empty())
        return std::nullopt;
    return decodeJournal(*bytes);
}

void FileStateStore::saveJournal(const std::optional<Journal>& journal) {
    if (!journal) {
        ::unlink(journalPath_.c_str());
        return;
    }
    writeAtomically(journalPath_, encodeJournal(*journal));
}

} // namespace tessarin
