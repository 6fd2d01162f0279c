#include "scheduler/Scheduler.h"

namespace tessarin {

Scheduler::Scheduler(std::function<void()> tick, QObject* parent) : QObject(parent), tick_(std::move(tick)) {
    timer_.setInterval(intervalMs);
    timer_.setTimerType(Qt::VeryCoarseTimer);
    connect(&timer_, &QTimer::timeout, this, [this] { tick_(); });
}

void Scheduler::start() {
    timer_.start();
}

bool Scheduler::observeWake(const QDBusConnection& systemBus) {
    wake_ = std::make_unique<WakeMonitor>(systemBus, [this] { tick_(); });
    return wake_->listening();
}

} // namespace tessarin
