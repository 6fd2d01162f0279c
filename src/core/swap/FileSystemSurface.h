#pragma once

#include "swap/DesktopSurface.h"

#include <filesystem>
#include <string_view>
#include <utility>
#include <vector>

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
    ~FileSystemSurface() override;
    FileSystemSurface(const FileSystemSurface&) = delete;
    FileSystemSurface& operator=(const FileSystemSurface&) = delete;

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
    // Inside beginMoves/endMoves each folder is opened (and the destination created) once, and a move
    // is one rename relative to the open folders; a batch belongs to one thread. Outside a batch, moves
    // keep no state and may run on several threads at once.
    void move(const std::string& name, const Location& from, const Location& to) override;
    void beginMoves() override;
    void endMoves() override;
    std::optional<IconPosition> readPosition(const std::string& name) override;
    void writePosition(const IconPosition& position, const std::string& name) override;
    // Moves the layout file of `from` into `to`, replacing the one there; nothing when `from` has none.
    void carryPositions(const Location& from, const Location& to) override;

protected:
    // renameat2(2) of `name` between two open folders that fails with EEXIST instead of replacing: 0 or
    // an errno value. EINVAL, ENOSYS or EOPNOTSUPP mean the file system refused the no-replace request
    // and the caller falls back.
    virtual int renameNoReplace(int fromFolder, int toFolder, const char* name);

private:
    // A descriptor of the folder of `location`, or -1 with errno set. With `keep` the descriptor is the
    // batch's, opened on first use; without it the caller closes it. Throws std::invalid_argument for a
    // location that can't be a folder.
    int openFolder(const Location& location, bool keep);
    // The batch's descriptor of `location`, or -1 when it has none.
    int openedFolder(const Location& location) const;
    void closeFolders();
    void moveWithoutFlag(int fromFolder, int toFolder, const std::string& name, const Location& to);

    std::filesystem::path desktop_;
    std::filesystem::path workspacesRoot_;
    // The batch's open folders: a handful, so a search of the list is cheaper than hashing a name per move.
    std::vector<std::pair<Location, int>> open_;
    int batches_ = 0;
};

} // namespace tessarin
