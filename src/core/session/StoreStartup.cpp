#include "session/StoreStartup.h"

#include "organise/Archiver.h"
#include "store/PathRelations.h"
#include "support/Utf8.h"
#include "swap/FolderName.h"

#include <fstream>
#include <sstream>

namespace tessarin {

namespace fs = std::filesystem;

namespace {

const std::string blank(Config::blankWorkspaceName);

} // namespace

StartupError StartupError::desktopIsHome(const fs::path& desktop) {
    return StartupError(
        "Your Desktop folder is your home folder (" + desktop.string() +
        "), so Tessarin won't swap it: every file in your home would move. Point "
        "XDG_DESKTOP_DIR in ~/.config/user-dirs.dirs at a folder of its own. Nothing was moved.");
}

StartupError StartupError::desktopInsideStore(const fs::path& desktop, const fs::path& root) {
    return StartupError("Your Desktop folder (" + desktop.string() + ") lies inside Tessarin's store (" +
                        root.string() +
                        "), so Tessarin won't swap it. Point XDG_DESKTOP_DIR in ~/.config/user-dirs.dirs at "
                        "a folder outside the store. Nothing was moved.");
}

StartupError StartupError::desktopContainsStore(const fs::path& desktop, const fs::path& root) {
    return StartupError("Your Desktop folder (" + desktop.string() + ") contains Tessarin's store (" +
                        root.string() +
                        "), so Tessarin won't swap it: the store would move with your files. Nothing was "
                        "moved.");
}

void checkDesktopLocation(const Paths& paths) {
    const fs::path desktop = resolvedPath(paths.desktop);
    const fs::path home = resolvedPath(paths.home);
    const fs::path root = resolvedPath(paths.root);
    if (desktop == home)
        throw StartupError::desktopIsHome(paths.desktop);
    if (isWithin(desktop, root))
        throw StartupError::desktopInsideStore(paths.desktop, paths.root);
    if (isWithin(root, desktop))
        throw StartupError::desktopContainsStore(paths.desktop, paths.root);
}

StoreStartup::StoreStartup(const Paths& paths, StateStore& store, DesktopSurface& surface, Log& log,
                           const Clock& clock)
    : paths_(paths), store_(store), surface_(surface), log_(log), clock_(clock) {}

bool StoreStartup::documentIsNewer() {
    try {
        return store_.loadConfig().schemaVersion > Config::currentSchemaVersion;
    } catch (...) {
        return false;
    }
}

void StoreStartup::bootstrapIfNeeded() {
    fs::create_directories(paths_.workspaces);
    fs::create_directories(paths_.store);
    Config config = store_.loadConfig();
    if (config.workspaces.empty()) {
        Workspace first = Workspace::make(firstWorkspaceName);
        // Names that are not UTF-8 cannot be stored in the document; the items stay where they are.
        for (auto& name : surface_.items(Location::desktop()))
            if (isValidUtf8(name))
                first.files.push_back(std::move(name));
        try {
            first.positions = surface_.readPositions(first.files);
        } catch (...) {
        }
        Config fresh = makeDefaultConfig();
        fresh.activeWorkspace = firstWorkspaceName;
        fresh.workspaces = {std::move(first), Workspace::make(blank)};
        store_.saveConfig(fresh);
        config = std::move(fresh);
    }
    migrateBlankWorkspaceName();
    finishInterruptedArchives();
    config = store_.loadConfig();
    // Only live desktops and the blank one get a folder: an archived desktop's folder lives in the
    // archive, and a folder of its name here would block its restore.
    std::vector<std::string> names;
    for (const auto& w : config.liveWorkspaces())
        names.push_back(w.name);
    if (config.findWorkspace(blank))
        names.push_back(blank);
    for (const auto& name : names)
        if (!desktopFolderProblem(name)) // reported by unusableRecords()
            fs::create_directories(paths_.workspaces / name);
    hideBlankFolder();
}

std::vector<std::string> StoreStartup::unusableRecords() {
    std::vector<std::string> lines;
    try {
        lines = unusableFolderRecords(store_.loadConfig());
    } catch (const std::exception&) {
        return {}; // an unreadable document is reported by whoever reads it
    }
    for (const auto& line : lines)
        log_.log(LogCategory::error, LogLevel::error, "%{public}s", line);
    return lines;
}

void StoreStartup::migrateBlankWorkspaceName() {
    Config config = store_.loadConfig();
    if (!config.findWorkspace(oldBlankWorkspaceName) || config.findWorkspace(blank))
        return;
    const fs::path oldFolder = paths_.workspaces / oldBlankWorkspaceName;
    const fs::path newFolder = paths_.workspaces / blank;
    std::error_code ec;
    if (fs::is_directory(oldFolder, ec) && !fs::exists(newFolder, ec))
        fs::rename(oldFolder, newFolder, ec); // a failure leaves the old folder; its items drain later
    config.updateWorkspace(oldBlankWorkspaceName, [](Workspace& w) { w.name = blank; });
    if (config.activeWorkspace == oldBlankWorkspaceName)
        config.activeWorkspace = blank;
    if (config.lastExpandedWorkspace == oldBlankWorkspaceName)
        config.lastExpandedWorkspace = blank;
    store_.saveConfig(config);
}

void StoreStartup::finishInterruptedArchives() {
    LocalFileService files;
    Archiver(store_, paths_, files, clock_, log_).finishInterruptedArchives();
}

void StoreStartup::hideBlankFolder() {
    // File managers hide the names listed in a folder's ".hidden" file.
    const fs::path listFile = paths_.workspaces / ".hidden";
    std::ifstream in(listFile);
    std::string line;
    bool trailingNewline = true;
    while (std::getline(in, line)) {
        if (line == blank)
            return;
        trailingNewline = !in.eof();
    }
    std::ofstream out(listFile, std::ios::app);
    if (!trailingNewline)
        out << "\n";
    out << blank << "\n";
}

void StoreStartup::recover(DesktopSwapper& swapper) {
    bool found = false;
    try {
        found = store_.loadJournal().has_value();
    } catch (...) {
    }
    if (found)
        log_.log(LogCategory::app, LogLevel::error,
                 "crash-recovery journal found — finishing the interrupted swap");
    swapper.recoverIfNeeded();
    if (found)
        log_.log(LogCategory::app, "crash recovery complete");
}

void StoreStartup::stampActiveVisited() {
    try {
        mutateConfig(store_, [&](Config& c) {
            c.updateWorkspace(c.activeWorkspace, [&](Workspace& w) { w.lastActiveAt = clock_.now(); });
        });
    } catch (...) {
    }
}

} // namespace tessarin
