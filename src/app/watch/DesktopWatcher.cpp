#include "watch/DesktopWatcher.h"

#include <QSocketNotifier>
#include <array>
#include <cstring>
#include <sys/inotify.h>
#include <unistd.h>

namespace tessarin {

namespace {

constexpr uint32_t contentsChanged =
    IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO | IN_MODIFY | IN_CLOSE_WRITE | IN_ATTRIB;
constexpr uint32_t folderGone = IN_DELETE_SELF | IN_MOVE_SELF | IN_IGNORED;

} // namespace

DesktopWatcher::DesktopWatcher(std::filesystem::path desktop, std::function<void()> onChange, QObject* parent)
    : QObject(parent), desktop_(std::move(desktop)), onChange_(std::move(onChange)) {
    pending_.setSingleShot(true);
    pending_.setInterval(debounceMs);
    connect(&pending_, &QTimer::timeout, this, [this] {
        if (!paused_ && onChange_)
            onChange_();
    });
}

DesktopWatcher::~DesktopWatcher() {
    stop();
}

void DesktopWatcher::start() {
    if (fd_ >= 0)
        return;
    fd_ = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (fd_ < 0)
        return;
    parentWatch_ =
        inotify_add_watch(fd_, desktop_.parent_path().c_str(), IN_CREATE | IN_MOVED_TO | IN_ONLYDIR);
    watchDesktop();
    if (desktopWatch_ < 0 && parentWatch_ < 0) {
        stop();
        return;
    }
    notifier_ = std::make_unique<QSocketNotifier>(fd_, QSocketNotifier::Read);
    connect(notifier_.get(), &QSocketNotifier::activated, this, [this] {
        if (readEvents() && !paused_)
            pending_.start(); // restarts: one call, a quiet period after the last change
    });
}

void DesktopWatcher::watchDesktop() {
    if (desktopWatch_ >= 0)
        inotify_rm_watch(fd_, desktopWatch_);
    desktopWatch_ =
        inotify_add_watch(fd_, desktop_.c_str(), contentsChanged | folderGone | IN_ONLYDIR | IN_DONT_FOLLOW);
}

void DesktopWatcher::stop() {
    pending_.stop();
    notifier_.reset();
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = desktopWatch_ = parentWatch_ = -1;
}

void DesktopWatcher::pause() {
    paused_ = true;
    pending_.stop();
}

void DesktopWatcher::resume() {
    // What is queued now came from the switch's own moves.
    if (fd_ >= 0)
        readEvents();
    paused_ = false;
}

bool DesktopWatcher::readEvents() {
    alignas(inotify_event) std::array<char, 8192> buffer;
    bool changed = false;
    bool rewatch = false;
    const std::string desktopName = desktop_.filename().string();
    for (;;) {
        const ssize_t length = ::read(fd_, buffer.data(), buffer.size());
        if (length <= 0)
            break;
        for (ssize_t at = 0; at < length;) {
            inotify_event event;
            std::memcpy(&event, buffer.data() + at, sizeof event);
            const char* name = buffer.data() + at + sizeof event;
            at += static_cast<ssize_t>(sizeof event + event.len);
            if (event.wd == desktopWatch_ && desktopWatch_ >= 0) {
                if (event.mask & folderGone)
                    rewatch = true; // removed, renamed away or replaced
                else if (event.mask & contentsChanged)
                    changed = true;
            } else if (event.wd == parentWatch_ && event.len > 0 && desktopName == name) {
                rewatch = true; // a (new) Desktop folder appeared
                changed = true;
            }
        }
    }
    if (rewatch)
        watchDesktop();
    return changed;
}

} // namespace tessarin
