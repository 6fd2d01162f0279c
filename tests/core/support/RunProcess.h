#pragma once

#include <cstdlib>
#include <fcntl.h>
#include <map>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace tessarin::test {

// Starts `argv` with extra environment variables, its stdout and stderr on the given descriptors.
inline pid_t spawnRedirected(const std::vector<std::string>& argv,
                             const std::map<std::string, std::string>& env, int outFd, int errFd) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        for (const auto& [k, v] : env)
            ::setenv(k.c_str(), v.c_str(), 1);
        ::dup2(outFd, 1);
        ::dup2(errFd, 2);
        std::vector<char*> args;
        for (const auto& a : argv)
            args.push_back(const_cast<char*>(a.c_str()));
        args.push_back(nullptr);
        ::execv(args[0], args.data());
        ::_exit(127);
    }
    return pid;
}

// Starts `argv` with extra environment variables; stdout and stderr go to /dev/null unless kept.
inline pid_t spawn(const std::vector<std::string>& argv, const std::map<std::string, std::string>& env,
                   bool quiet = true) {
    // dup2 rather than freopen in the child: freopen would flush the parent's buffered output twice.
    const int out = quiet ? ::open("/dev/null", O_WRONLY | O_CLOEXEC) : 1;
    const int err = quiet ? out : 2;
    const pid_t pid = spawnRedirected(argv, env, out, err);
    if (quiet)
        ::close(out);
    return pid;
}

// The exit status, or 128 + signal.
inline int waitFor(pid_t pid) {
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

struct Output {
    int status = -1;
    std::string out;
    std::string err;
};

// Runs `argv` to its end and collects what it printed.
inline Output run(const std::vector<std::string>& argv, const std::map<std::string, std::string>& env) {
    char outPath[] = "/tmp/tessarin-out-XXXXXX";
    char errPath[] = "/tmp/tessarin-err-XXXXXX";
    const int outFd = ::mkstemp(outPath);
    const int errFd = ::mkstemp(errPath);
    const pid_t pid = spawnRedirected(argv, env, outFd, errFd);
    Output o;
    o.status = waitFor(pid);
    auto slurp = [](int fd) {
        std::string s;
        ::lseek(fd, 0, SEEK_SET);
        char buf[4096];
        ssize_t n;
        while ((n = ::read(fd, buf, sizeof buf)) > 0)
            s.append(buf, static_cast<size_t>(n));
        ::close(fd);
        return s;
    };
    o.out = slurp(outFd);
    o.err = slurp(errFd);
    ::unlink(outPath);
    ::unlink(errPath);
    return o;
}

} // namespace tessarin::test
