#include "organise/Archiver.h"

#include "organise/CleanupTasks.h"
#include "organise/DesktopTimers.h"
#include "organise/UniqueNames.h"
#include "swap/FolderName.h"

#include <algorithm>
#include <functional>
#include <utility>

namespace tessarin {

namespace fs = std::filesystem;

namespace {

std::string quoted(const std::string& name) {
    return "\u201c" + name + "\u201d";
}

// A desktop name is a folder name in the store; anything else never reaches the file system.
void requireFolderName(const std::string& name, const std::string& record) {
    if (const auto problem = desktopFolderProblem(name))
        throw ArchiveError::filesystem(unusableFolderText(record, name, *problem));
}

void requireLiveTemporary(const Config& config, const Workspace& w) {
    if (w.type != WorkspaceType::temporary)
        throw ArchiveError::notTemporary(w.name);
    if (w.state != WorkspaceState::active)
        throw ArchiveError::alreadyArchived(w.name);
    if (config.activeWorkspace == w.name)
        throw ArchiveError::isActiveDesktop(w.name);
}

// Saves the change; when that fails, moves the folder back (never over anything) so the disk still
// matches the document, and passes the failure on.
void saveOrMoveBack(StateStore& store, const std::function<void(Config&)>& change, FileService& files,
                    const std::optional<std::pair<fs::path, fs::path>>& moved) {
    try {
        mutateConfig(store, change);
    } catch (...) {
        if (moved) {
            try {
                files.moveItem(moved->second, moved->first);
            } catch (const std::exception&) {
                // Both places are kept as they are; nothing is lost.
            }
        }
        throw;
    }
}

} // namespace

void markArchived(Config& config, const std::string& name, const fs::path& location, Date now,
                  const Calendar& calendar) {
    bool createsTask = false;
    config.updateWorkspace(name, [&](Workspace& w) {
        w.state = WorkspaceState::archivedUnsorted;
        w.archivedAt = now;
        w.archiveLocation = location.string();
        w.hotkey.reset();
        createsTask = w.createsCleanupTask;
    });
    if (createsTask) {
        const Date tomorrow = calendar.addingDays(now, 1).value_or(now);
        addCleanupTask(config, name, calendar.startOfDay(tomorrow));
    }
}

namespace {

Config loadOrDefault(StateStore& store) {
    try {
        return store.loadConfig();
    } catch (const std::exception&) {
        return makeDefaultConfig();
    }
}

} // namespace

Archiver::Archiver(StateStore& store, const Paths& paths, FileService& files, const Clock& clock, Log& log,
                   Calendar calendar)
    : store_(store), workspacesRoot_(paths.workspaces), defaultArchiveRoot_(paths.defaultArchiveRoot),
      locations_(paths), files_(files), clock_(clock), log_(log), calendar_(calendar) {}

fs::path Archiver::archiveFolder(const Config& config) const {
    const auto& root = config.settings.archiveRoot;
    return root && !root->empty() ? fs::path(*root) : defaultArchiveRoot_;
}

bool Archiver::sameVolumeAsStore(const fs::path& folder) {
    const auto store = files_.volumeIdentifier(workspacesRoot_);
    const auto other = files_.volumeIdentifier(folder);
    return store && other && *store == *other;
}

void Archiver::archive(const std::string& name) {
    const Config config = store_.loadConfig();
    const Workspace* found = config.findWorkspace(name);
    if (!found)
        return;
    const Workspace workspace = *found;
    requireLiveTemporary(config, workspace);
    requireFolderName(name, "The desktop to archive");
    const Date now = clock_.now();

    const fs::path folder = archiveFolder(config);
    if (auto refusal = locations_.folderRefusal(folder))
        throw ArchiveError::filesystem("The archive folder " + quoted(folder.string()) + " can't be used. " +
                                       *refusal + " Nothing was moved.");
    try {
        files_.createFolder(folder);
    } catch (const std::exception& e) {
        throw ArchiveError::filesystem(std::string("Couldn't create the archive folder: ") + e.what());
    }
    if (!sameVolumeAsStore(folder))
        throw ArchiveError::crossVolume();

    const fs::path destination = uniquePath(folder / (name + "-" + calendar_.isoDay(now)), files_);
    const fs::path source = workspacesRoot_ / name;
    // The destination and the time go into the document before the folder moves: a crash between the
    // move and the final save then leaves a live desktop whose folder is at its archiveLocation, which
    // the next start completes (finishInterruptedArchives).
    mutateConfig(store_, [&](Config& c) {
        c.updateWorkspace(name, [&](Workspace& w) {
            w.archiveLocation = destination.string();
            w.archivedAt = now;
        });
    });
    const auto forgetDestination = [&] {
        try {
            mutateConfig(store_, [&](Config& c) {
                c.updateWorkspace(name, [&](Workspace& w) {
                    w.archiveLocation.reset();
                    w.archivedAt.reset();
                });
            });
        } catch (const std::exception&) {
            // The next start clears it: the folder is still in the store.
        }
    };
    std::optional<std::pair<fs::path, fs::path>> moved;
    try {
        if (files_.exists(source)) {
            files_.moveItem(source, destination);
            moved.emplace(source, destination);
        } else {
            files_.createFolder(destination);
        }
    } catch (const std::exception& e) {
        forgetDestination();
        throw ArchiveError::filesystem(std::string("Couldn't move the folder: ") + e.what());
    }

    try {
        saveOrMoveBack(
            store_, [&](Config& c) { markArchived(c, name, destination, now, calendar_); }, files_, moved);
    } catch (...) {
        forgetDestination();
        throw;
    }
    rotateScreenshotCollectionIfNeeded(name);
    log_.log(LogCategory::archive, "archived %{public}s \u2192 %{public}s", name, destination.string());
}

// The screenshots desktop must stay live: the archived one takes the name "<name>.archived" (with
// everything that pointed at it) and a fresh, empty permanent desktop takes its place.
void Archiver::rotateScreenshotCollectionIfNeeded(const std::string& archived) {
    const Config config = loadOrDefault(store_);
    if (config.settings.screenshotsWorkspace != archived)
        return;
    try {
        if (!config.settings.filterScreenshots) {
            mutateConfig(store_, [](Config& c) { c.settings.screenshotsWorkspace.reset(); });
            return;
        }
        const std::string newName = uniqueArchivedName(archived + ".archived", config);
        files_.createFolder(workspacesRoot_ / archived);
        const Date now = clock_.now();
        mutateConfig(store_, [&](Config& c) {
            c.updateWorkspace(archived, [&](Workspace& w) { w.name = newName; });
            renameCleanupMember(c, archived, newName);
            c.renameCustomFilterCollection(archived, newName);
            if (!c.findWorkspace(archived)) {
                Workspace fresh = Workspace::make(archived);
                fresh.createdAt = now;
                auto at = c.workspaces.end();
                while (at != c.workspaces.begin() && std::prev(at)->name == Config::blankWorkspaceName)
                    --at;
                c.workspaces.insert(at, std::move(fresh));
            }
            c.settings.screenshotsWorkspace = archived;
        });
    } catch (const std::exception&) {
        // The archive itself has succeeded; a desktop left without its replacement is still usable.
    }
}

void Archiver::drain(const std::string& name, const std::string& target) {
    const Config config = store_.loadConfig();
    const Workspace* found = config.findWorkspace(name);
    if (!found)
        return;
    requireLiveTemporary(config, *found);
    if (target == name)
        throw ArchiveError::drainIntoItself();
    const Workspace* into = config.findWorkspace(target);
    if (!into)
        throw ArchiveError::targetMissing(target);
    if (into->type != WorkspaceType::permanent || into->state != WorkspaceState::active)
        throw ArchiveError::targetNotPermanent(target);

    const std::string prefix = "Couldn't pour " + quoted(name) + " into " + quoted(into->name) + ": ";
    requireFolderName(name, "The desktop to pour");
    requireFolderName(into->name, "The desktop to pour into");
    const fs::path source = workspacesRoot_ / name;
    const fs::path targetFolder = workspacesRoot_ / into->name;
    const fs::path pour = targetFolder / name;
    std::optional<std::pair<fs::path, fs::path>> moved;
    try {
        files_.createFolder(targetFolder);
        if (!files_.exists(source)) {
            // Nothing to pour: the desktop only leaves the document.
        } else if (!files_.exists(pour)) {
            files_.moveItem(source, pour);
            moved.emplace(source, pour);
        } else {
            // Merge into the existing pour folder, hidden entries (".git", ".env") included: nothing is
            // deleted. Listing again until the folder is empty takes along an item that arrived meanwhile;
            // only an empty folder is removed.
            for (bool another = true; another;) {
                another = false;
                for (const auto& entry : files_.list(source)) {
                    files_.moveItem(source / entry, uniqueDestination(entry, pour, files_));
                    another = true;
                }
            }
            files_.removeEmptyFolder(source);
        }
    } catch (const std::exception& e) {
        throw ArchiveError::filesystem(prefix + e.what());
    }

    // A failed save after a merge leaves the items poured; draining again finishes the job.
    saveOrMoveBack(
        store_,
        [&](Config& c) {
            std::erase_if(c.workspaces, [&](const Workspace& w) { return w.name == name; });
            c.clearDrainRoutes(name);
            pruneCleanupTasks(c);
        },
        files_, moved);
    log_.log(LogCategory::archive, "drained %{public}s \u2192 %{public}s", name, pour.string());
}

void Archiver::restore(const std::string& name) {
    const Config config = store_.loadConfig();
    const Workspace* found = config.findWorkspace(name);
    if (!found || found->state == WorkspaceState::active)
        return;
    requireFolderName(name, "The desktop to restore");
    requireTrustedLocation(config, *found, "Tessarin won't move it into the desktops folder");
    const fs::path destination = workspacesRoot_ / name;
    std::optional<std::pair<fs::path, fs::path>> moved;

    if (found->archiveLocation && files_.exists(*found->archiveLocation)) {
        if (files_.exists(destination))
            throw ArchiveError::filesystem(
                "A folder named " + quoted(name) +
                " already exists in the workspace store \u2014 move it aside first.");
        try {
            files_.moveItem(*found->archiveLocation, destination);
            moved.emplace(*found->archiveLocation, destination);
        } catch (const std::exception& e) {
            throw ArchiveError::filesystem(std::string("Couldn't move the folder back: ") + e.what());
        }
    } else {
        try {
            files_.createFolder(destination);
        } catch (const std::exception& e) {
            throw ArchiveError::filesystem(std::string("Couldn't recreate the folder: ") + e.what());
        }
    }

    const Date now = clock_.now();
    saveOrMoveBack(
        store_,
        [&](Config& c) {
            c.updateWorkspace(name, [&](Workspace& w) {
                w.state = WorkspaceState::active;
                w.archivedAt.reset();
                w.archiveLocation.reset();
                w.lastActiveAt = now;
            });
        },
        files_, moved);
}

void Archiver::requireTrustedLocation(const Config& config, const Workspace& workspace,
                                      const std::string& consequence) {
    const auto& location = workspace.archiveLocation;
    if (!location || locations_.isArchivedFolderOf(*location, workspace, archiveFolder(config)))
        return;
    throw ArchiveError::filesystem(ArchiveLocations::untrustedText(workspace.name, *location, consequence));
}

void Archiver::finishInterruptedArchives() {
    const Config config = store_.loadConfig();
    for (const auto& w : config.workspaces) {
        if (w.state != WorkspaceState::active || !w.archiveLocation)
            continue;
        const fs::path location = *w.archiveLocation;
        const bool moved = !desktopFolderProblem(w.name) && !files_.exists(workspacesRoot_ / w.name) &&
                           locations_.isArchivedFolderOf(location, w, archiveFolder(config)) &&
                           fs::is_directory(location);
        try {
            if (!moved) {
                mutateConfig(store_, [&](Config& c) {
                    c.updateWorkspace(w.name, [](Workspace& x) {
                        x.archiveLocation.reset();
                        x.archivedAt.reset();
                    });
                });
                continue;
            }
            const Date at = w.archivedAt.value_or(clock_.now());
            mutateConfig(store_, [&](Config& c) { markArchived(c, w.name, location, at, calendar_); });
            rotateScreenshotCollectionIfNeeded(w.name);
            log_.log(LogCategory::archive, "finished the interrupted archive of %{public}s \u2192 %{public}s",
                     w.name, location.string());
        } catch (const std::exception& e) {
            log_.log(LogCategory::error, LogLevel::error,
                     "couldn't finish the interrupted archive of %{public}s: %{public}s", w.name, e.what());
        }
    }
}

std::vector<std::string> Archiver::fireDueTimers(Date now) {
    const Config config = loadOrDefault(store_);
    std::vector<std::string> completed;
    for (const auto& w : config.liveWorkspaces()) {
        if (w.type != WorkspaceType::temporary || w.name == config.activeWorkspace || !archiveDue(w, now))
            continue;
        const Workspace* target = w.drainTarget ? config.findWorkspace(*w.drainTarget) : nullptr;
        const bool drains = w.timerDrains && target && target->type == WorkspaceType::permanent &&
                            target->state == WorkspaceState::active;
        try {
            if (drains)
                drain(w.name, *w.drainTarget);
            else
                archive(w.name);
            completed.push_back(w.name);
        } catch (const std::exception& e) {
            log_.log(LogCategory::error, LogLevel::error, "auto-completion of %{public}s failed: %{public}s",
                     w.name, e.what());
        }
    }
    return completed;
}

} // namespace tessarin
