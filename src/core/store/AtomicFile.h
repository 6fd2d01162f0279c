#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <sys/types.h>
#include <time.h>

namespace tessarin {

// Replaces the file at `target` with `bytes` so that a reader, or the next start after a crash at
// any instant, sees either the complete old or the complete new content: the bytes go to a
// temporary file in the same folder, which is flushed to disk and renamed over the target, and the
// folder is flushed so the rename itself is durable. Throws std::system_error; on failure the
// target is untouched and the temporary file removed.
void writeAtomically(const std::filesystem::path& target, std::string_view bytes);

// What tells one content of a file from another: writeAtomically puts a new inode in place, and a file
// rewritten where it stands changes its size or its change time.
struct FileVersion {
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    timespec modified{};
    timespec changed{};

    bool operator==(const FileVersion& other) const;
};

// The version of the file at `path`; none when it can't be examined.
std::optional<FileVersion> fileVersion(const std::filesystem::path& path);

// The whole content of a file; none when nothing is at the path (ENOENT). Any other failure throws
// std::system_error carrying the errno: no permission, an I/O error, EISDIR for a folder in its place,
// EINVAL for anything else that is not a regular file.
// With `version`, the version of the file that was read is stored there.
std::optional<std::string> readWholeFile(const std::filesystem::path& path, FileVersion* version = nullptr);

} // namespace tessarin
