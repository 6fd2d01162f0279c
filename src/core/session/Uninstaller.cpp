#include "session/Uninstaller.h"

#include "swap/NoReplaceMove.h"

#include <cerrno>
#include <cstring>

namespace tessarin {

namespace fs = std::filesystem;

namespace {

// The names in a folder that do not begin with "."; empty when it can't be listed.
std::vector<std::string> visibleNames(const fs::path& folder) {
    std::vector<std::string> names;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        std::string name = it->path().filename().string();
        if (!name.starts_with("."))
            names.push_back(std::move(name));
    }
    return names;
}

Config loadOrFallback(StateStore& store) {
    try {
        return store.loadConfig();
    } catch (...) {
        return makeDefaultConfig();
    }
}

} // namespace

Uninstaller::Uninstaller(const Paths& paths, StateStore& store, Log& log)
    : paths_(paths), store_(store), log_(log) {}

fs::path Uninstaller::uniqueDesktopPath(const std::string& base) const {
    fs::path candidate = paths_.desktop / base;
    std::error_code ec;
    for (int n = 2; fs::symlink_status(candidate, ec).type() != fs::file_type::not_found; ++n)
        candidate = paths_.desktop / (base + " " + std::to_string(n));
    return candidate;
}

int Uninstaller::moveOntoDesktop(const fs::path& from, const std::string& base, fs::path& placedAt) const {
    // Another program may take the free name between the look and the move: the no-replace move
    // then fails with EEXIST and the next free name is tried.
    for (int attempt = 0; attempt < 100; ++attempt) {
        placedAt = uniqueDesktopPath(base);
        const int error = moveNoReplace(from, placedAt);
        if (error != EEXIST)
            return error;
    }
    return EEXIST;
}

std::vector<RestoredDesktop> Uninstaller::restoreDesksToDesktop() {
    for (const auto& name : visibleNames(paths_.pinnedStash)) {
        fs::path placedAt;
        if (const int error = moveOntoDesktop(paths_.pinnedStash / name, name, placedAt))
            log_.log(LogCategory::error, LogLevel::error, "restore of pinned %{public}s failed: %{public}s",
                     name, std::string(std::strerror(error)));
    }

    std::vector<RestoredDesktop> restored;
    const Config config = loadOrFallback(store_);
    for (const auto& desktop : config.workspaces) {
        if (desktop.state != WorkspaceState::active)
            continue;
        const fs::path folder = paths_.workspaces / desktop.name;
        if (visibleNames(folder).empty())
            continue;
        const std::string display =
            desktop.name == Config::blankWorkspaceName ? hiddenDesktopFolderName : desktop.name;
        fs::path placedAt;
        if (const int error = moveOntoDesktop(folder, display, placedAt)) {
            log_.log(LogCategory::error, LogLevel::error, "restore of %{public}s failed: %{public}s",
                     desktop.name, std::string(std::strerror(error)));
            continue;
        }
        const std::string folderName = placedAt.filename().string();
        log_.log(LogCategory::app, "restored %{public}s → %{public}s", desktop.name, folderName);
        restored.push_back({desktop.name, folderName});
    }
    return restored;
}

UninstallQuestion uninstallQuestion(const Config& config, const Paths& paths, RemovalStep step) {
    std::string note;
    if (!config.archivedWorkspaces().empty()) {
        const auto& root = config.settings.archiveRoot;
        const fs::path archive = root && !root->empty() ? fs::path(*root) : paths.defaultArchiveRoot;
        note = " Archived desktops stay where they are (" + archive.string() + ").";
    }
    std::string ending;
    switch (step) {
    case RemovalStep::revealProgram:
        ending = " Tessarin is then removed from launch-at-startup and revealed so you can delete it.";
        break;
    case RemovalStep::removePackage:
        ending = " Tessarin is then removed from launch-at-startup, and you remove its package to finish.";
        break;
    case RemovalStep::removeInstalledFiles:
        ending =
            " Tessarin is then removed from launch-at-startup, and you delete its installed files to finish.";
        break;
    case RemovalStep::none:
        ending = " Tessarin is then removed from launch-at-startup.";
        break;
    }
    return {"Uninstall Tessarin?",
            "Every desktop comes back to your Desktop as a normal folder." + note + ending};
}

} // namespace tessarin
