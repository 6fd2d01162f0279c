#include "store/AtomicFile.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>
#include <utility>

namespace tessarin {

namespace fs = std::filesystem;

namespace {

[[noreturn]] void fail(const std::string& what, const fs::path& path, int error) {
    throw std::system_error(error, std::generic_category(), what + " " + path.string());
}

class Fd {
public:
    explicit Fd(int fd) : fd_(fd) {}
    ~Fd() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return fd_; }
    int release() { return std::exchange(fd_, -1); }

private:
    int fd_;
};

void writeAll(int fd, std::string_view bytes, const fs::path& path) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR)
                continue;
            fail("Couldn't write", path, errno);
        }
        bytes.remove_prefix(static_cast<size_t>(n));
    }
}

} // namespace

void writeAtomically(const fs::path& target, std::string_view bytes) {
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    // One fixed temporary name per target: only one writer runs at a time (the store lock), and a
    // crash leaves at most this one file behind, overwritten by the next save.
    const fs::path temp = folder / ("." + target.filename().string() + ".tmp");
    Fd fd(::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, 0644));
    if (fd.get() < 0)
        fail("Couldn't create", temp, errno);
    try {
        writeAll(fd.get(), bytes, temp);
        if (::fsync(fd.get()) != 0)
            fail("Couldn't flush", temp, errno);
        if (::close(fd.release()) != 0)
            fail("Couldn't close", temp, errno);
        if (::rename(temp.c_str(), target.c_str()) != 0)
            fail("Couldn't replace", target, errno);
    } catch (...) {
        ::unlink(temp.c_str());
        throw;
    }
    // The new content is complete on disk; flushing the folder makes the rename survive a power
    // loss. A failure here does not undo the write.
    Fd dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.get() >= 0)
        ::fsync(dir.get());
}

namespace {

FileVersion versionOf(const struct stat& st) {
    return {st.st_dev, st.st_ino, st.st_size, st.st_mtim, st.st_ctim};
}

bool sameTime(const timespec& a, const timespec& b) {
    return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
}

} // namespace

bool FileVersion::operator==(const FileVersion& other) const {
    return device == other.device && inode == other.inode && size == other.size &&
           sameTime(modified, other.modified) && sameTime(changed, other.changed);
}

std::optional<FileVersion> fileVersion(const fs::path& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        return std::nullopt;
    return versionOf(st);
}

std::optional<std::string> readWholeFile(const fs::path& path, FileVersion* version) {
    Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0) {
        if (errno == ENOENT)
            return std::nullopt;
        fail("Couldn't open", path, errno);
    }
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0)
        fail("Couldn't read", path, errno);
    if (!S_ISREG(st.st_mode))
        fail("Couldn't read", path, S_ISDIR(st.st_mode) ? EISDIR : EINVAL);
    if (version)
        *version = versionOf(st);
    std::string content;
    content.reserve(static_cast<size_t>(st.st_size));
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd.get(), buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            fail("Couldn't read", path, errno);
        }
        if (n == 0)
            break;
        content.append(buffer, static_cast<size_t>(n));
    }
    return content;
}

} // namespace tessarin
