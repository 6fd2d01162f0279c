#pragma once

#include "freedesktop/WakeMonitor.h"

#include <QObject>
#include <QTimer>
#include <functional>
#include <memory>

namespace tessarin {

// Runs the scheduler tick every 60 s and each time the machine wakes. The timer is coarse: the system
// may deliver a tick a little early or late so that it can batch wake-ups; nothing polls in between.
class Scheduler : public QObject {
    Q_OBJECT
public:
    static constexpr int intervalMs = 60'000;

    Scheduler(std::function<void()> tick, QObject* parent = nullptr);

    void start();
    // Ticks on logind's wake signal on `systemBus`; without a system bus there are only timer ticks.
    bool observeWake(const QDBusConnection& systemBus);

private:
    std::function<void()> tick_;
    QTimer timer_;
    std::unique_ptr<WakeMonitor> wake_;
};

} // namespace tessarin
