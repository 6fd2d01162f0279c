#include "freedesktop/TrashWatcher.h"

#include <array>
#include <climits>
#include <cstring>
#include <fcntl.h>
#include <sys/inotify.h>
#include <unistd.h>
#include <utility>

namespace tessarin {

namespace fs = std::filesystem;

bool isInsideTrash(const fs::path& path) {
    const std::string text = path.string();
    return text.find("/Trash/files/") != std::string::npos || text.find("/.Trash/") != std::string::npos ||
           text.find("/.Trash-") != std::string::npos;
}

TrashWatcher::TrashWatcher(QObject* parent) : QObject(parent) {}

TrashWatcher::~TrashWatcher() {
    notifier_.reset();
    if (inotify_ >= 0)
        ::close(inotify_);
    if (file_ >= 0)
        ::close(file_);
}

void TrashWatcher::start(const fs::path& file) {
    if (notifier_)
        return;
    const int fileFd = ::open(file.c_str(), O_PATH | O_CLOEXEC);
    if (fileFd < 0)
        return;
    const int fd = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    // The watch is on the file's inode, so it follows the file through every rename (Downloads →
    // elsewhere → the Trash), not only the first move out of its folder.
    if (fd < 0 || ::inotify_add_watch(fd, file.c_str(), IN_MOVE_SELF) < 0) {
        if (fd >= 0)
            ::close(fd);
        ::close(fileFd);
        return;
    }
    inotify_ = fd;
    file_ = fileFd;
    inTrash_ = isInsideTrash(file);
    notifier_ = std::make_unique<QSocketNotifier>(inotify_, QSocketNotifier::Read);
    connect(notifier_.get(), &QSocketNotifier::activated, this, &TrashWatcher::readEvents);
}

void TrashWatcher::readEvents() {
    alignas(inotify_event) std::array<char, 16 * (sizeof(inotify_event) + NAME_MAX + 1)> buffer;
    bool movedAway = false;
    for (;;) {
        const ssize_t length = ::read(inotify_, buffer.data(), buffer.size());
        if (length <= 0)
            break;
        for (ssize_t at = 0; at < length;) {
            const auto* event = reinterpret_cast<const inotify_event*>(buffer.data() + at);
            if (event->mask & IN_MOVE_SELF)
                movedAway = true;
            at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
        }
    }
    if (!movedAway)
        return;
    std::error_code ec;
    const fs::path now = fs::read_symlink("/proc/self/fd/" + std::to_string(file_), ec);
    if (ec)
        return; // the file's path can't be read: ignored
    // Two quick moves (elsewhere, then into the Trash) can be read as two batches that both find the
    // file in the Trash; only the batch that sees it arrive there reports it.
    const bool wasInTrash = std::exchange(inTrash_, isInsideTrash(now));
    if (inTrash_ && !wasInTrash)
        emit trashed();
}

} // namespace tessarin
