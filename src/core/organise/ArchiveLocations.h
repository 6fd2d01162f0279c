#pragma once

#include "model/Workspace.h"
#include "store/Paths.h"

#include <filesystem>
#include <optional>
#include <string>

namespace tessarin {

// Which folders the archiver trusts. A document names the archive folder (archiveRoot) and each archived
// desktop's folder (archiveLocation); a hand-edited one could name the Desktop, the store or any folder
// of the user's, which archiving, restoring or deleting would then move or trash.
class ArchiveLocations {
public:
    explicit ArchiveLocations(const Paths& paths);

    // Why `folder` can't hold archives: it is the Desktop or inside it, or the workspace store or inside
    // it (the default archive folder excepted). None when it can.
    std::optional<std::string> folderRefusal(const std::filesystem::path& folder) const;

    // True when `location` is an archived folder of `workspace` as the archiver makes them: directly
    // inside `archiveFolder` or the default archive folder, named "<name>-<yyyy-MM-dd>" with an optional
    // "-<n>" (for the renamed screenshots desktop "<name>.archived[ n]", the name before the suffix).
    bool isArchivedFolderOf(const std::filesystem::path& location, const Workspace& workspace,
                            const std::filesystem::path& archiveFolder) const;

    // "“<name>” is archived at “<location>”, which isn't one of Tessarin's archived folders, so ..."
    static std::string untrustedText(const std::string& name, const std::string& location,
                                     const std::string& consequence);

private:
    std::filesystem::path desktop_;
    std::filesystem::path root_;
    std::filesystem::path defaultArchive_;
};

} // namespace tessarin
