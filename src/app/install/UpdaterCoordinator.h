#pragma once

#include <QObject>
#include <QTimer>
#include <functional>

namespace tessarin {

// Keeps an update from being installed while a desktop switch runs or a switch journal waits to be
// finished, and remembers once an install has begun: from then on the program's file may be moved or
// replaced by the updater, which the Trash watcher must not take for an uninstall.
class UpdaterCoordinator : public QObject {
    Q_OBJECT
public:
    using BusyTest = std::function<bool()>;
    using Log = std::function<void(const char* line)>;

    explicit UpdaterCoordinator(Log log, QObject* parent = nullptr);

    // The controller's busy test (a switch is running, or a journal exists).
    void start(BusyTest busy) { busy_ = std::move(busy); }

    // Asked before installing: true (postponed) while busy, and `proceed` is then called once the
    // busy test answers false, checked every half second; false when the install may go ahead now.
    bool shouldPostponeInstall(std::function<void()> proceed);

    // Set once, never cleared.
    void markInstallBegun();
    bool installBegun() const { return installBegun_; }

    static constexpr int recheckMilliseconds = 500;

private:
    void waitUntilIdle();

    Log log_;
    BusyTest busy_;
    std::function<void()> proceed_;
    QTimer recheck_;
    bool installBegun_ = false;
};

} // namespace tessarin
