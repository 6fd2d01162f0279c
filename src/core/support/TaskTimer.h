#pragma once

#include <chrono>
#include <functional>

namespace tessarin {

// Runs one task later on the main thread. At most one task is pending: starting another replaces it.
// The agent uses a Qt timer; tests use a clock they advance by hand.
class TaskTimer {
public:
    virtual ~TaskTimer() = default;
    virtual void start(std::chrono::milliseconds delay, std::function<void()> task) = 0;
    virtual void cancel() = 0;

protected:
    TaskTimer() = default;
    TaskTimer(const TaskTimer&) = default;
    TaskTimer& operator=(const TaskTimer&) = default;
};

} // namespace tessarin
