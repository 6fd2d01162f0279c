#pragma once

#include <filesystem>

namespace tessarin {

// rename(2) that fails with EEXIST instead of replacing an item at `to`: 0 or an errno value.
int renameNoReplace(const std::filesystem::path& from, const std::filesystem::path& to);
// renameNoReplace of `fromName` in the open folder `fromFolder` to `toName` in `toFolder`; either
// folder may be AT_FDCWD.
int renameNoReplaceAt(int fromFolder, const char* fromName, int toFolder, const char* toName);

// EINVAL, ENOSYS or EOPNOTSUPP from renameNoReplace: the file system does not offer the no-replace
// rename, and the caller may fall back to linkThenUnlink.
bool isNoReplaceRefusal(int error);

// Moves a non-folder without replacing anything on a file system without the no-replace rename: a hard
// link cannot be made over an existing name. 0 or an errno value; on failure nothing has changed.
int linkThenUnlink(const std::filesystem::path& from, const std::filesystem::path& to);
int linkThenUnlinkAt(int fromFolder, const char* fromName, int toFolder, const char* toName);

// renameNoReplace, falling back to linkThenUnlink for non-folders where the file system refuses the
// request. 0 or an errno value; a folder that can't be moved safely gives EOPNOTSUPP.
int moveNoReplace(const std::filesystem::path& from, const std::filesystem::path& to);

} // namespace tessarin
