#include "store/FileStateStore.h"

#include "model/ConfigCodec.h"
#include "store/AtomicFile.h"

#include <unistd.h>

namespace tessarin {

FileStateStore::FileStateStore(std::filesystem::path configPath, std::filesystem::path journalPath)
    : configPath_(std::move(configPath)), journalPath_(std::move(journalPath)) {}

namespace {

std::optional<std::string> readStateFile(const std::filesystem::path& path, FileVersion* version = nullptr) {
    try {
        return readWholeFile(path, version);
    } catch (const std::system_error& e) {
        throw StoreError::unreadable(path, e.code());
    }
}

} // namespace

void FileStateStore::keepDocument(bool keep) {
    keep_ = keep;
    kept_.reset();
}

void FileStateStore::carryVisits(std::string workspace, Date when, const Clock& clock) {
    visit_ = Visit{std::move(workspace), when, &clock};
}

namespace {

void markVisited(Config& config, const std::string& workspace, Date when) {
    config.updateWorkspace(workspace, [&](Workspace& w) {
        if (!w.lastActiveAt || *w.lastActiveAt < when)
            w.lastActiveAt = when;
    });
}

} // namespace

Config FileStateStore::loadConfig() {
    if (kept_) {
        if (fileVersion(configPath_) == kept_->version)
            return kept_->config;
        kept_.reset();
    }
    FileVersion version;
    const auto bytes = readStateFile(configPath_, &version);
    if (!bytes)
        return makeDefaultConfig();
    Config config = decodeConfig(*bytes);
    if (keep_)
        kept_ = Kept{version, config};
    return config;
}

void FileStateStore::saveConfig(const Config& config) {
    if (config.schemaVersion > Config::currentSchemaVersion)
        throw StoreError(config.schemaVersion);
    Config copy = config;
    copy.schemaVersion = Config::currentSchemaVersion;
    if (visit_) {
        markVisited(copy, visit_->workspace, visit_->when);
        markVisited(copy, copy.activeWorkspace, visit_->clock->now());
    }
    // The next load reads what was written, so that it comes back exactly as decoding gives it.
    kept_.reset();
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
