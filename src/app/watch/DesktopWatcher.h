#pragma once

#include <QObject>
#include <QTimer>
#include <filesystem>
#include <functional>
#include <memory>

class QSocketNotifier;

namespace tessarin {

// Watches the Desktop folder with inotify and, once it has been quiet for 0.4 s after a change (an item
// added, removed, renamed or written), calls onChange. The folder's parent is watched too, so that a
// Desktop folder that is removed or replaced is watched again as soon as it is back. While paused (a
// switch moves the items) nothing is reported, and the switch's own moves are dropped on resume: changes
// made while paused are never reported.
class DesktopWatcher : public QObject {
    Q_OBJECT
public:
    static constexpr int debounceMs = 400;

    DesktopWatcher(std::filesystem::path desktop, std::function<void()> onChange, QObject* parent = nullptr);
    ~DesktopWatcher() override;

    // Begins watching, unless it already does; a folder that can't be watched leaves it idle.
    void start();
    // Stops watching and drops the pending call.
    void stop();
    void pause();
    void resume();

    bool watching() const { return fd_ >= 0; }
    bool paused() const { return paused_; }

private:
    // Reads every queued event; returns whether any changed the Desktop's contents.
    bool readEvents();
    void watchDesktop();

    std::filesystem::path desktop_;
    std::function<void()> onChange_;
    int fd_ = -1;
    int desktopWatch_ = -1;
    int parentWatch_ = -1;
    std::unique_ptr<QSocketNotifier> notifier_;
    QTimer pending_;
    bool paused_ = false;
};

} // namespace tessarin
