#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace tessarin {

// The file operations of the archiver. Failures are thrown as std::system_error (or another
// std::exception) whose what() is the system's description of the failure.
class FileService {
public:
    virtual ~FileService() = default;

    // Creates the folder and any missing parents; an existing folder is fine.
    virtual void createFolder(const std::filesystem::path& path) = 0;
    // Renames `from` to `to` (one volume); never replaces an item already at `to`.
    virtual void moveItem(const std::filesystem::path& from, const std::filesystem::path& to) = 0;
    // Removes an empty folder; a folder that still holds anything stays, and the call fails.
    virtual void removeEmptyFolder(const std::filesystem::path& path) = 0;
    // True when anything (even a dangling symbolic link) is at the path.
    virtual bool exists(const std::filesystem::path& path) = 0;
    // The names directly inside a folder, hidden ones included, in file-system order.
    virtual std::vector<std::string> list(const std::filesystem::path& folder) = 0;
    // The identity of the volume holding the path (its device number); none when it can't be read.
    virtual std::optional<std::uint64_t> volumeIdentifier(const std::filesystem::path& path) = 0;
    // Moves the item to the user's Trash, where a file manager can put it back.
    virtual void trashItem(const std::filesystem::path& path) = 0;

protected:
    FileService() = default;
    FileService(const FileService&) = default;
    FileService& operator=(const FileService&) = default;
};

// FileService over the local file system. Without a Trash of its own, trashItem refuses (ENOTSUP):
// a platform service that knows the user's Trash overrides it.
class LocalFileService : public FileService {
public:
    void createFolder(const std::filesystem::path& path) override;
    void moveItem(const std::filesystem::path& from, const std::filesystem::path& to) override;
    void removeEmptyFolder(const std::filesystem::path& path) override;
    bool exists(const std::filesystem::path& path) override;
    std::vector<std::string> list(const std::filesystem::path& folder) override;
    std::optional<std::uint64_t> volumeIdentifier(const std::filesystem::path& path) override;
    void trashItem(const std::filesystem::path& path) override;
};

} // namespace tessarin
