#pragma once

#include <cerrno>
#include <chrono>
#include <functional>
#include <poll.h>
#include <signal.h>
#include <stdexcept>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

namespace tessarin::test {

// A forked child that runs `body` and exits with its result, with a pipe on which it can report progress
// to the parent one byte at a time. The child never returns into the test framework.
class ChildProcess {
public:
    explicit ChildProcess(const std::function<int(ChildProcess&)>& body) {
        if (::pipe(toParent_) != 0 || ::pipe(toChild_) != 0)
            throw std::runtime_error("pipe failed");
        pid_ = ::fork();
        if (pid_ < 0)
            throw std::runtime_error("fork failed");
        if (pid_ == 0) {
            ::close(toParent_[0]);
            ::close(toChild_[1]);
            int result = 99;
            try {
                result = body(*this);
            } catch (...) {
            }
            ::_exit(result);
        }
        ::close(toParent_[1]);
        ::close(toChild_[0]);
    }
    ~ChildProcess() {
        if (pid_ > 0 && !reaped_) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, nullptr, 0);
        }
        ::close(toParent_[0]);
        ::close(toChild_[1]);
    }
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    pid_t pid() const { return pid_; }

    // In the child: tell the parent something.
    void report(char c) { [[maybe_unused]] auto n = ::write(toParent_[1], &c, 1); }
    // In the child: wait for the parent's word; '\0' when the parent is gone.
    char awaitParent() {
        char c = 0;
        return ::read(toChild_[0], &c, 1) == 1 ? c : '\0';
    }

    // In the parent: the next byte the child reports, '\0' when none comes within `timeout`.
    char awaitReport(std::chrono::milliseconds timeout = std::chrono::seconds(20)) {
        pollfd fd{toParent_[0], POLLIN, 0};
        if (::poll(&fd, 1, static_cast<int>(timeout.count())) != 1)
            return '\0';
        char c = 0;
        return ::read(toParent_[0], &c, 1) == 1 ? c : '\0';
    }
    void tell(char c) { [[maybe_unused]] auto n = ::write(toChild_[1], &c, 1); }

    // In the parent: the child's exit status, or -signal when it was killed.
    int wait() {
        int status = 0;
        while (::waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
        }
        reaped_ = true;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status);
    }
    int kill(int signal) {
        ::kill(pid_, signal);
        return wait();
    }

private:
    pid_t pid_ = -1;
    bool reaped_ = false;
    int toParent_[2] = {-1, -1};
    int toChild_[2] = {-1, -1};
};

} // namespace tessarin::test
