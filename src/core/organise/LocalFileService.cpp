#include "organise/FileService.h"
#include "swap/NoReplaceMove.h"

#include <cerrno>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace tessarin {

namespace fs = std::filesystem;

void LocalFileService::createFolder(const fs::path& path) {
    std::error_code ec;
    fs::create_directories(path, ec);
    if (ec)
        throw std::system_error(ec);
    // create_directories accepts an existing symbolic link to a folder but not a file in the way.
    if (!fs::is_directory(path, ec))
        throw std::system_error(std::make_error_code(std::errc::not_a_directory));
}

void LocalFileService::moveItem(const fs::path& from, const fs::path& to) {
    if (const int error = moveNoReplace(from, to); error != 0)
        throw std::system_error(error, std::system_category());
}

void LocalFileService::removeEmptyFolder(const fs::path& path) {
    if (::rmdir(path.c_str()) != 0)
        throw std::system_error(errno, std::system_category());
}

bool LocalFileService::exists(const fs::path& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0;
}

std::vector<std::string> LocalFileService::list(const fs::path& folder) {
    std::vector<std::string> names;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
        names.push_back(it->path().filename().string());
    if (ec)
        throw std::system_error(ec);
    return names;
}

std::optional<std::uint64_t> LocalFileService::volumeIdentifier(const fs::path& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0)
        return std::nullopt;
    return static_cast<std::uint64_t>(info.st_dev);
}

void LocalFileService::trashItem(const fs::path&) {
    throw std::system_error(ENOTSUP, std::system_category(), "There is no Trash to move it to");
}

} // namespace tessarin
