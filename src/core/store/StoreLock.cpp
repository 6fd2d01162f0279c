#include "store/StoreLock.h"

#include <cerrno>
#include <charconv>
#include <fcntl.h>
#include <sys/file.h>
#include <system_error>
#include <thread>
#include <unistd.h>
#include <utility>

namespace tessarin {

namespace {

constexpr std::chrono::milliseconds retryInterval{50};

std::string busyMessage(const std::optional<pid_t>& pid, const std::string& name) {
    if (!pid)
        return "The Tessarin store is in use by another process.";
    return "The Tessarin store is in use by another process (PID " + std::to_string(*pid) + ", " + name +
           "). Try again when it has finished.";
}

} // namespace

StoreLockBusy::StoreLockBusy(std::optional<pid_t> holderPid, std::string holderName)
    : std::runtime_error(busyMessage(holderPid, holderName)), holderPid_(holderPid),
      holderName_(std::move(holderName)) {}

std::filesystem::path StoreLock::lockFilePath(const std::filesystem::path& storeRoot) {
    return storeRoot / ".store" / "lock";
}

bool StoreLock::mayBeHeld(const std::filesystem::path& storeRoot) {
    const int fd = ::open(lockFilePath(storeRoot).c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return errno != ENOENT;
    // A shared lock is refused only while someone holds the exclusive one.
    const bool free = ::flock(fd, LOCK_SH | LOCK_NB) == 0;
    ::close(fd); // releases the shared lock
    return !free;
}

StoreLock::StoreLock(std::filesystem::path storeRoot, std::string programName)
    : path_(lockFilePath(storeRoot)), programName_(std::move(programName)) {}

StoreLock::~StoreLock() {
    release();
    if (fd_ >= 0)
        ::close(fd_);
}

void StoreLock::open() {
    if (fd_ >= 0)
        return;
    std::error_code ec;
    std::filesystem::create_directories(path_.parent_path(), ec);
    if (ec)
        throw std::system_error(ec, "Couldn't create the folder of the store lock " + path_.string());
    fd_ = ::open(path_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd_ < 0)
        throw std::system_error(errno, std::system_category(),
                                "Couldn't open the store lock " + path_.string());
}

bool StoreLock::tryAcquire() {
    if (held())
        return true;
    open();
    if (::flock(fd_, LOCK_EX | LOCK_NB) != 0) {
        if (errno == EWOULDBLOCK || errno == EINTR)
            return false;
        throw std::system_error(errno, std::system_category(), "Couldn't lock the store " + path_.string());
    }
    owner_ = ::getpid();
    recordHolder();
    return true;
}

void StoreLock::acquire(std::chrono::milliseconds timeout) {
    // Another process, not this one, decides when the lock comes free; polling it is the only bounded wait
    // flock offers without signals.
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!tryAcquire()) {
        const auto now = std::chrono::steady_clock::now();
        if (now >= deadline)
            throw busyError();
        std::this_thread::sleep_for(
            std::min<std::chrono::steady_clock::duration>(retryInterval, deadline - now));
    }
}

void StoreLock::release() noexcept {
    if (!held())
        return;
    if (owner_ == ::getpid()) {
        // Clear the holder's name first so that nobody reads it as the next holder's.
        [[maybe_unused]] const int truncated = ::ftruncate(fd_, 0);
        ::flock(fd_, LOCK_UN);
    }
    owner_ = 0;
}

// Best effort: the lock itself is what protects the store; the text only helps a loser name the holder.
void StoreLock::recordHolder() {
    const std::string text = std::to_string(::getpid()) + " " + programName_ + "\n";
    if (::ftruncate(fd_, 0) != 0)
        return;
    [[maybe_unused]] const auto written = ::pwrite(fd_, text.data(), text.size(), 0);
}

StoreLockBusy StoreLock::busyError() const {
    char buffer[512];
    const ssize_t size = ::pread(fd_, buffer, sizeof buffer, 0);
    if (size <= 0)
        return StoreLockBusy(std::nullopt, {});
    std::string_view text(buffer, static_cast<std::size_t>(size));
    if (const auto end = text.find('\n'); end != std::string_view::npos)
        text = text.substr(0, end);
    pid_t pid = 0;
    const auto [rest, error] = std::from_chars(text.data(), text.data() + text.size(), pid);
    if (error != std::errc() || pid <= 0 || rest == text.data() + text.size() || *rest != ' ')
        return StoreLockBusy(std::nullopt, {});
    std::string name(rest + 1, text.data() + text.size());
    if (name.empty())
        return StoreLockBusy(std::nullopt, {});
    return StoreLockBusy(pid, std::move(name));
}

} // namespace tessarin
