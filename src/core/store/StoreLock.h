#pragma once

#include <chrono>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <sys/types.h>

namespace tessarin {

// Thrown when another process holds the store lock for longer than the caller would wait.
class StoreLockBusy : public std::runtime_error {
public:
    StoreLockBusy(std::optional<pid_t> holderPid, std::string holderName);

    // The holder as it wrote itself into the lock file, when that could be read.
    std::optional<pid_t> holderPid() const { return holderPid_; }
    const std::string& holderName() const { return holderName_; }

private:
    std::optional<pid_t> holderPid_;
    std::string holderName_;
};

// The exclusive lock that makes one process at a time the writer of the workspace store: a flock on
// "<store>/.store/lock". The holder writes "<pid> <program name>" into the file so that a process that
// has to give up can name it. The lock goes with this object and with the death of the process.
class StoreLock {
public:
    static constexpr std::chrono::milliseconds defaultTimeout{6000};

    static std::filesystem::path lockFilePath(const std::filesystem::path& storeRoot);
    // True when a process may hold the lock of the store at `storeRoot` now; false when the lock file
    // does not exist or nobody holds it. Creates nothing and takes nothing but a shared lock for an
    // instant. When the lock file can't be examined, true: the caller then asks the holder as before.
    static bool mayBeHeld(const std::filesystem::path& storeRoot);

    // Touches no file until the first attempt to acquire.
    StoreLock(std::filesystem::path storeRoot, std::string programName);
    ~StoreLock();
    StoreLock(const StoreLock&) = delete;
    StoreLock& operator=(const StoreLock&) = delete;

    // Creates and opens the lock file (with its folder) without taking the lock, so that a store that
    // can't be locked at all (a file where the store's folder should be, a read-only home, a lock file
    // of another user) is told apart from a lock that is merely held. std::system_error on failure.
    void prepare() { open(); }
    // Takes the lock, waiting while another process holds it; StoreLockBusy when `timeout` runs out first.
    // Failures to create or open the lock file are std::system_error.
    void acquire(std::chrono::milliseconds timeout = defaultTimeout);
    // One attempt without waiting: false when another process holds the lock.
    bool tryAcquire();
    void release() noexcept;
    bool held() const { return owner_ != 0; }

    const std::filesystem::path& path() const { return path_; }

private:
    void open();
    void recordHolder();
    StoreLockBusy busyError() const;

    std::filesystem::path path_;
    std::string programName_;
    int fd_ = -1;
    // The process that took the lock; a forked child that inherited the descriptor must not unlock it.
    pid_t owner_ = 0;
};

} // namespace tessarin
