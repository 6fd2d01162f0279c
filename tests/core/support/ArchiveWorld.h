#pragma once

#include "model/Config.h"
#include "organise/Archiver.h"
#include "store/FileStateStore.h"
#include "store/Paths.h"
#include "support/Files.h"
#include "support/Instants.h"
#include "support/ScopedEnv.h"
#include "support/TempDir.h"

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <system_error>

namespace tessarin::test {

// The local file service with a Trash folder of its own and faults to order: a move or a Trash request
// that fails with an errno value.
class TestFileService : public LocalFileService {
public:
    explicit TestFileService(std::filesystem::path trash) : trash_(std::move(trash)) {}

    // Called before every move; a non-zero errno value fails it.
    std::function<int(const std::filesystem::path& from, const std::filesystem::path& to)> moveFault;
    int trashFault = 0;
    std::vector<std::filesystem::path> trashed;

    void moveItem(const std::filesystem::path& from, const std::filesystem::path& to) override {
        if (moveFault)
            if (const int error = moveFault(from, to))
                throw std::system_error(error, std::system_category());
        LocalFileService::moveItem(from, to);
    }
    void trashItem(const std::filesystem::path& path) override {
        if (trashFault)
            throw std::system_error(trashFault, std::system_category());
        if (!exists(path))
            throw std::system_error(ENOENT, std::system_category());
        createFolder(trash_);
        LocalFileService::moveItem(path, trash_ / std::to_string(trashed.size()));
        trashed.push_back(path);
    }

private:
    std::filesystem::path trash_;
};

// The state store on disk, with saves that fail when told to.
class SaveFaultStore : public FileStateStore {
public:
    using FileStateStore::FileStateStore;
    bool failSaves = false;
    void saveConfig(const Config& config) override {
        if (failSaves)
            throw std::system_error(ENOSPC, std::system_category(), "config.json couldn't be saved");
        FileStateStore::saveConfig(config);
    }
};

// A log sink that keeps the messages.
struct MessageSink : LogSink {
    std::vector<std::string> messages;
    void write(const LogEntry& entry) override { messages.push_back(entry.message); }
};

// A throwaway home with a store, real folders, a test file service, a manual clock in Europe/Berlin
// and an archiver over them.
struct ArchiveWorld {
    ScopedEnv zone{"TZ", "Europe/Berlin"};
    TempDir home;
    Paths paths = Paths::make(home.path(), home.path() / "Desktop");
    SaveFaultStore store{paths.config, paths.journal};
    TestFileService files{home / "Trash"};
    // Sunday 1 March 2026, 10:00 in Berlin.
    ManualClock clock{berlin(2026, 3, 1, 10, 0, false)};
    std::shared_ptr<MessageSink> sink = std::make_shared<MessageSink>();
    Log log{{sink}};
    Archiver archiver{store, paths, files, clock, log};

    ArchiveWorld() {
        std::filesystem::create_directories(paths.desktop);
        std::filesystem::create_directories(paths.store);
    }

    // Saves a document with "Home" (permanent, on the Desktop), the given desktops and the blank one.
    Config document(const std::vector<Workspace>& desktops) {
        Config c = makeDefaultConfig();
        c.activeWorkspace = "Home";
        c.workspaces.push_back(Workspace::make("Home"));
        for (const auto& w : desktops)
            c.workspaces.push_back(w);
        c.workspaces.push_back(Workspace::make(std::string(Config::blankWorkspaceName)));
        store.saveConfig(c);
        return c;
    }

    static Workspace temporary(const std::string& name) {
        return Workspace::make(name, WorkspaceType::temporary);
    }

    Config load() { return store.loadConfig(); }
    Workspace desktop(const std::string& name) { return load().workspaceNamed(name).value(); }
    std::filesystem::path folder(const std::string& name) const { return paths.workspaces / name; }
    std::filesystem::path archive() const { return paths.defaultArchiveRoot; }

    void put(const std::filesystem::path& path, const std::string& text = "x") { writeFile(path, text); }

    // Names in a folder, hidden ones included, sorted; empty for a missing folder.
    static std::set<std::string> listing(const std::filesystem::path& dir) {
        std::set<std::string> names;
        std::error_code ec;
        for (const auto& e : std::filesystem::directory_iterator(dir, ec))
            names.insert(e.path().filename().string());
        return names;
    }
};

// The archive error an operation threw, or none when it went through.
inline std::optional<ArchiveError> errorOf(const std::function<void()>& operation) {
    try {
        operation();
    } catch (const ArchiveError& e) {
        return e;
    }
    return std::nullopt;
}

} // namespace tessarin::test
