#pragma once

#include "support/TaskTimer.h"

#include <QTimer>

namespace tessarin {

// A TaskTimer on a single-shot Qt timer of the main thread.
class QtTaskTimer : public TaskTimer {
public:
    QtTaskTimer() {
        timer_.setSingleShot(true);
        QObject::connect(&timer_, &QTimer::timeout, &timer_, [this] {
            auto task = std::move(task_);
            task_ = nullptr;
            if (task)
                task();
        });
    }
    void start(std::chrono::milliseconds delay, std::function<void()> task) override {
        task_ = std::move(task);
        timer_.start(delay);
    }
    void cancel() override {
        timer_.stop();
        task_ = nullptr;
    }

private:
    QTimer timer_;
    std::function<void()> task_;
};

} // namespace tessarin
