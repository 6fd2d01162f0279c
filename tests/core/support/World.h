#pragma once

#include "model/Config.h"
#include "organise/Archiver.h"
#include "organise/DesktopSweeps.h"
#include "settings/SettingsModel.h"
#include "store/FileStateStore.h"
#include "store/Paths.h"
#include "support/CustomRules.h"
#include "support/Files.h"
#include "support/Instants.h"
#include "support/RunProcess.h"
#include "support/ScopedEnv.h"
#include "support/TempDir.h"
#include "swap/DesktopSwapper.h"
#include "swap/FileSystemSurface.h"

#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <system_error>
#include <vector>

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

// The state store on disk, with document saves that fail when told to.
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

// A throwaway home (TZ Europe/Berlin) with everything the core and
// command-line tests work through: the store, the swapper over real folders, the archiver with a test
// file service and a manual clock, the Desktop sweeps, the settings model, and the real tessarinctl.
struct World {
    ScopedEnv zone{"TZ", "Europe/Berlin"};
    TempDir home;
    Paths paths = Paths::make(home.path(), home.path() / "Desktop");
    SaveFaultStore store{paths.config, paths.journal};
    FileSystemSurface surface{paths.desktop, paths.workspaces};
    std::vector<std::chrono::microseconds> pauses;
    DesktopSwapper swapper{surface, store, [this](std::chrono::microseconds d) { pauses.push_back(d); }};
    TestFileService files{home / "Trash"};
    ManualClock clock{berlin(2026, 3, 1, 10, 0, false)}; // a Sunday
    std::shared_ptr<MessageSink> sink = std::make_shared<MessageSink>();
    Log log{{sink}};
    Archiver archiver{store, paths, files, clock, log};
    // Images are told by a few extensions; there is no capture flag, as on Linux.
    ScreenshotFilter filter{imageServices(), paths.home, paths.desktop};
    DesktopSweeps sweeps{surface, store, log, filter};
    SettingsModel model{SettingsDependencies{store, paths, files, clock, &archiver}};
    int changes = 0;   // the model's change notifications
    bool busy = false; // what the model is told about a switch in progress
    std::map<std::string, std::string> env{{"HOME", home.path().string()},
                                           {"XDG_CONFIG_HOME", (home / ".config").string()},
                                           {"XDG_DATA_HOME", (home / ".local/share").string()},
                                           {"TZ", "Europe/Berlin"}};

    // `withStore`: the store's folder is made too, as a first start would.
    explicit World(bool withStore = true) {
        std::filesystem::create_directories(paths.desktop);
        if (withStore)
            std::filesystem::create_directories(paths.store);
        model.state.callbacks.onChange = [this] { ++changes; };
        model.state.callbacks.isBusy = [this] { return busy; };
    }

    static ScreenshotServices imageServices() {
        ScreenshotServices services;
        services.isImage = [](std::string_view name) {
            return name.ends_with(".png") || name.ends_with(".jpg") || name.ends_with(".PNG");
        };
        return services;
    }

    // Documents. Saves `names` (plus the blank desktop) with `active` on the Desktop.
    Config document(const std::string& active, const std::vector<std::string>& names,
                    const std::vector<std::string>& pinned = {}) {
        Config c = makeDefaultConfig();
        c.activeWorkspace = active;
        for (const auto& n : names)
            c.workspaces.push_back(Workspace::make(n));
        c.workspaces.push_back(Workspace::make(std::string(Config::blankWorkspaceName)));
        c.settings.pinnedFolders = pinned;
        store.saveConfig(c);
        return c;
    }
    // document(active, names), then changed.
    Config document(const std::string& active, const std::vector<std::string>& names,
                    const std::function<void(Config&)>& change) {
        document(active, names);
        mutateConfig(store, change);
        return load();
    }
    // Saves "Home" (permanent, on the Desktop), the given desktops and the blank one.
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
    // document(desktops), a folder for each live desktop, and the model reading it.
    Config desktops(const std::vector<Workspace>& desktops) {
        Config c = document(desktops);
        for (const auto& w : c.workspaces)
            if (w.state == WorkspaceState::active && w.name != Config::blankWorkspaceName)
                std::filesystem::create_directories(folder(w.name));
        model.reload();
        return c;
    }
    // Screenshots sorted into `into`, told by their names as well.
    static void screenshotsOn(Config& c, const std::string& into = "Screenshots") {
        c.settings.filterScreenshots = true;
        c.settings.screenshotsWorkspace = into;
        c.settings.screenshotFilenameFallback = true;
    }
    // Changes the saved document as another process would, without the model knowing.
    void elsewhere(const std::function<void(Config&)>& change) { mutateConfig(store, change); }
    static Workspace temporary(const std::string& name) {
        return Workspace::make(name, WorkspaceType::temporary);
    }
    static Workspace archived(const std::string& name) {
        Workspace w = temporary(name);
        w.state = WorkspaceState::archivedUnsorted;
        return w;
    }

    Config load() { return store.loadConfig(); }
    Workspace desktop(const std::string& name) { return *load().findWorkspace(name); }
    std::vector<std::string> names() {
        std::vector<std::string> result;
        for (const auto& w : load().workspaces)
            result.push_back(w.name);
        return result;
    }
    std::vector<std::string> filesOf(const std::string& name) { return load().findWorkspace(name)->files; }
    std::string error() const { return model.errorMessage().value_or(""); }

    // Folders and items.
    std::filesystem::path folder(const std::string& name) const { return paths.workspaces / name; }
    std::filesystem::path archive() const { return paths.defaultArchiveRoot; }
    void put(const std::filesystem::path& path, const std::string& text = "x") { writeFile(path, text); }
    // An item `name` in `dir` holding `content`, else its own name.
    void item(const std::filesystem::path& dir, const std::string& name, const std::string& content = "") {
        writeFile(dir / name, content.empty() ? name : content);
    }

    // Every name in a folder, hidden ones included; empty for a missing folder.
    static std::set<std::string> listing(const std::filesystem::path& dir) {
        std::set<std::string> names;
        std::error_code ec;
        for (const auto& e : std::filesystem::directory_iterator(dir, ec))
            names.insert(e.path().filename().string());
        return names;
    }
    std::set<std::string> desktop() const { return listing(paths.desktop); }
    std::set<std::string> in(const std::string& name) const { return listing(folder(name)); }
    // Everything under the home folder but the store's own state files.
    std::map<std::string, std::string> disk() const {
        std::map<std::string, std::string> all;
        for (const auto& [path, content] : treeSnapshot(home.path()))
            if (!path.starts_with("Tessarin Desktops/.store"))
                all[path] = content;
        return all;
    }

    // The log lines of the "sweep" and "error" categories, oldest first.
    std::vector<std::string> sweepLog() const {
        std::vector<std::string> lines;
        for (const auto& e : log.recent(100))
            if (e.category == LogCategory::sweep || e.category == LogCategory::error)
                lines.push_back(e.message);
        return lines;
    }

#ifdef TESSARIN_CTL
    // tessarinctl with these arguments, in this home.
    static std::vector<std::string> argv(const std::vector<std::string>& args) {
        std::vector<std::string> all{TESSARIN_CTL};
        all.insert(all.end(), args.begin(), args.end());
        return all;
    }
    Output ctl(const std::vector<std::string>& args) const {
        return run(argv(args), env);
    }
#endif
};

// A message as expected: `expected` exactly, or with a leading "~" containing the rest ("~" alone: any
// text, for a refusal whose words are checked in the layer that makes it).
inline void expectText(const std::string& actual, const std::string& expected) {
    if (expected.starts_with("~"))
        EXPECT_TRUE(!actual.empty() && actual.find(expected.substr(1)) != std::string::npos) << actual;
    else
        EXPECT_EQ(actual, expected);
}

#ifdef TESSARIN_CTL
// One run of tessarinctl: its arguments, the exit status it must give, and its stdout and stderr as
// expectText takes them.
struct CtlStep {
    std::vector<std::string> args;
    int status;
    std::string out;
    std::string err;
};

// Runs the steps in turn in the world's home.
inline void expectSteps(const World& world, const std::vector<CtlStep>& steps) {
    for (const auto& s : steps) {
        SCOPED_TRACE(s.args.empty() ? "" : s.args[0] + " " + (s.args.size() > 1 ? s.args[1] : ""));
        const auto r = world.ctl(s.args);
        EXPECT_EQ(r.status, s.status) << r.err;
        expectText(r.out, s.out);
        expectText(r.err, s.err);
    }
}
#endif

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
