#pragma once

#include "swap/DesktopSurface.h"

#include <filesystem>
#include <string_view>

namespace tessarin {

// DesktopSurface over plain folders: the Desktop folder and one sub-folder per desktop in the workspace
// store. It knows no icon positions; it only carries the hidden per-folder layout file along.
//
// A workspace location is used as a folder name only when the desktop name is one plain path component
// (isPlainFolderName); any other name, and any item name that is not plain, is refused with
// std::invalid_argument before a file is touched.
class FileSystemSurface : public DesktopSurface {
public:
    // The hidden file inside a folder that keeps its icon layout.
    static constexpr std::string_view layoutFileName = ".tessarin-layout";

    // Touches no file.
    FileSystemSurface(std::filesystem::path desktop, std::filesystem::path workspacesRoot);

    const std::filesystem::path& desktop() const { return desktop_; }
    const std::filesystem::path& workspacesRoot() const { return workspacesRoot_; }
    // The folder of a location; it need not exist.
    std::filesystem::path folder(const Location& location) const;

    // Both folders exist and have the same device number.
    bool sameVolume() override;
    // A folder that cannot be listed (missing, not a folder, no permission) reads as empty.
    std::vector<std::string> items(const Location& at) override;
    // Creates the destination folder with its parents, then renames the item without ever replacing one
    // already there. Failures are std::system_error carrying the errno and naming the item.
    void move(const std::string& name, const Location& from, const Location& to) override;
    std::optional<IconPosition> readPosition(const std::string& name) override;
    void writePosition(const IconPosition& position, const std::string& name) override;
    // Moves the layout file of `from` into `to`, replacing the one there; nothing when `from` has none.
    void carryPositions(const Location& from, const Location& to) override;

protected:
    // rename(2) that fails with EEXIST instead of replacing: 0 or an errno value. EINVAL, ENOSYS or
    // EOPNOTSUPP mean the file system refused the no-replace request and the caller falls back.
    virtual int renameNoReplace(const std::filesystem::path& from, const std::filesystem::path& to);

private:
    void moveWithoutFlag(const std::filesystem::path& source, const std::filesystem::path& target,
                         const std::string& name, const Location& to);

    std::filesystem::path desktop_;
    std::filesystem::path workspacesRoot_;
};

} // namespace tessarin
