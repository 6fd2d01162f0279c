#include "swap/NoReplaceMove.h"

#include <cerrno>
#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#ifndef RENAME_NOREPLACE
#define RENAME_NOREPLACE (1 << 0)
#endif

namespace tessarin {

int renameNoReplace(const std::filesystem::path& from, const std::filesystem::path& to) {
    return renameNoReplaceAt(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str());
}

int renameNoReplaceAt(int fromFolder, const char* fromName, int toFolder, const char* toName) {
#if defined(__GLIBC__) && __GLIBC_PREREQ(2, 28)
    const int result = ::renameat2(fromFolder, fromName, toFolder, toName, RENAME_NOREPLACE);
#else
    const long result = ::syscall(SYS_renameat2, fromFolder, fromName, toFolder, toName, RENAME_NOREPLACE);
#endif
    return result == 0 ? 0 : errno;
}

bool isNoReplaceRefusal(int error) {
    return error == EINVAL || error == ENOSYS || error == EOPNOTSUPP;
}

int linkThenUnlink(const std::filesystem::path& from, const std::filesystem::path& to) {
    return linkThenUnlinkAt(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str());
}

int linkThenUnlinkAt(int fromFolder, const char* fromName, int toFolder, const char* toName) {
    if (::linkat(fromFolder, fromName, toFolder, toName, 0) != 0)
        return errno;
    if (::unlinkat(fromFolder, fromName, 0) != 0) {
        const int error = errno;
        ::unlinkat(toFolder, toName, 0);
        return error;
    }
    return 0;
}

int moveNoReplace(const std::filesystem::path& from, const std::filesystem::path& to) {
    const int error = renameNoReplace(from, to);
    if (!isNoReplaceRefusal(error))
        return error;
    struct stat info {};
    if (::lstat(from.c_str(), &info) != 0)
        return errno;
    if (S_ISDIR(info.st_mode))
        return EOPNOTSUPP;
    return linkThenUnlink(from, to);
}

} // namespace tessarin
