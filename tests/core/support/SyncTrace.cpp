// Preloaded into a program under test, logs the calls that make a state file durable: each fsync with
// the path of its descriptor and each successful rename with both paths, one tab-separated line each,
// appended to the file named by TESSARIN_SYNC_TRACE_LOG.
#include <climits>
#include <cstdlib>
#include <dlfcn.h>
#include <fcntl.h>
#include <string>
#include <unistd.h>

namespace {

void note(const std::string& line) {
    const char* log = std::getenv("TESSARIN_SYNC_TRACE_LOG");
    if (log == nullptr)
        return;
    const int fd = ::open(log, O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0)
        return;
    const std::string text = line + "\n";
    if (::write(fd, text.data(), text.size()) < 0) {
        // Nothing to do: the test finds the line missing.
    }
    ::close(fd);
}

std::string pathOf(int fd) {
    char buffer[PATH_MAX];
    const ssize_t n = ::readlink(("/proc/self/fd/" + std::to_string(fd)).c_str(), buffer, sizeof buffer);
    return n > 0 ? std::string(buffer, static_cast<size_t>(n)) : std::string("?");
}

template <typename Function> Function next(const char* name) {
    return reinterpret_cast<Function>(::dlsym(RTLD_NEXT, name));
}

} // namespace

extern "C" int fsync(int fd) {
    static const auto real = next<int (*)(int)>("fsync");
    note("fsync\t" + pathOf(fd));
    return real(fd);
}

extern "C" int rename(const char* from, const char* to) {
    static const auto real = next<int (*)(const char*, const char*)>("rename");
    const int result = real(from, to);
    if (result == 0)
        note("rename\t" + std::string(from) + "\t" + to);
    return result;
}
