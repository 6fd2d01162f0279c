// The Archiver's removals and settings: desktops to the Trash, the archive folder, sorted marks.
#include "organise/Archiver.h"
#include "organise/CleanupTasks.h"
#include "swap/FolderName.h"

namespace tessarin {

namespace fs = std::filesystem;

std::string Archiver::activeDesktopDeleteText(const std::string& name) {
    return "\u201c" + name + "\u201d is the active desktop. Switch to another first.";
}

std::optional<DeleteFailure> Archiver::trashOrReportFailure(const fs::path& path,
                                                            const std::string& workspace) {
    try {
        files_.trashItem(path);
        return std::nullopt;
    } catch (const std::exception& e) {
        return DeleteFailure{workspace, !files_.exists(path), e.what()};
    }
}

void Archiver::removeFromConfig(const std::string& name) {
    mutateConfig(store_, [&](Config& c) {
        std::erase_if(c.workspaces, [&](const Workspace& w) { return w.name == name; });
        c.clearDrainRoutes(name);
        pruneCleanupTasks(c);
    });
}

RemovalOutcome Archiver::deleteWorkspace(const std::string& name, bool switchInProgress) {
    if (name == Config::blankWorkspaceName)
        return {};
    const Config config = store_.loadConfig();
    const Workspace* found = config.findWorkspace(name);
    if (!found || found->state != WorkspaceState::active)
        return {};
    // Only a live desktop's own folder ever goes: never the store's other folders.
    if (const auto problem = desktopFolderProblem(name))
        return {
            unusableFolderText("The desktop to delete", name, *problem,
                               "Nothing was moved to the Trash; rename the desktop first, then delete it."),
            std::nullopt};
    if (config.activeWorkspace == name)
        return {activeDesktopDeleteText(name), std::nullopt};
    if (switchInProgress)
        return {busyText, std::nullopt};
    if (auto failure = trashOrReportFailure(workspacesRoot_ / name, name))
        return {std::nullopt, std::move(failure)};
    removeFromConfig(name);
    return {};
}

RemovalOutcome Archiver::deleteArchived(const std::string& name) {
    const Config config = store_.loadConfig();
    const Workspace* found = config.findWorkspace(name);
    if (!found || found->state == WorkspaceState::active)
        return {};
    if (found->archiveLocation &&
        !locations_.isArchivedFolderOf(*found->archiveLocation, *found, archiveFolder(config)))
        return {ArchiveLocations::untrustedText(name, *found->archiveLocation,
                                                "Tessarin won't move it to the Trash"),
                std::nullopt};
    if (found->archiveLocation) {
        if (auto failure = trashOrReportFailure(*found->archiveLocation, name))
            return {std::nullopt, std::move(failure)};
    }
    removeFromConfig(name);
    return {};
}

std::optional<std::string> Archiver::setArchiveRoot(const std::optional<fs::path>& folder) {
    if (!folder) {
        mutateConfig(store_, [](Config& c) { c.settings.archiveRoot.reset(); });
        return std::nullopt;
    }
    if (auto refusal = locations_.folderRefusal(*folder))
        return refusal;
    if (!sameVolumeAsStore(*folder))
        return std::string(otherDiskText);
    const std::string path = fs::absolute(*folder).string();
    mutateConfig(store_, [&](Config& c) { c.settings.archiveRoot = path; });
    return std::nullopt;
}

void Archiver::setArchivedSorted(const std::string& name, bool sorted) {
    mutateConfig(store_, [&](Config& c) {
        c.updateWorkspace(name, [&](Workspace& w) {
            if (w.state != WorkspaceState::active)
                w.state = sorted ? WorkspaceState::archivedSorted : WorkspaceState::archivedUnsorted;
        });
    });
}

} // namespace tessarin
