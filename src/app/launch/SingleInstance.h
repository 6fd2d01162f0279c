#pragma once

#include "store/StoreLock.h"
#include "support/Log.h"

#include <QDBusConnection>
#include <QObject>
#include <QTimer>
#include <functional>
#include <optional>

namespace tessarin {

// One agent per user: this instance owns both the bus name and the store lock, or it waits for the
// instance that does. A second copy asks the first to come forward, then checks 13 times over 6 s
// (at 0, 0.5, …, 6.0 s) whether it has gone, and takes over or gives up.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    static constexpr int handoverAttempts = 12; // after the first check
    static constexpr int handoverIntervalMs = 500;

    SingleInstance(QDBusConnection bus, const QString& busName, StoreLock& lock, Log& log,
                   QObject* parent = nullptr);

    // Runs the handshake; `launch` runs once this instance owns name and lock, `giveUp` when the other
    // instance stays. Either may run before start() returns.
    void start(std::function<void()> launch, std::function<void()> giveUp);

    bool owned() const { return ownsName_ && lock_.held(); }

private:
    // Takes what is free; true when this instance now owns both.
    bool claim();
    std::optional<long> otherPid();
    void awaitHandover(int attemptsLeft);

    QDBusConnection bus_;
    QString busName_;
    StoreLock& lock_;
    Log& log_;
    bool ownsName_ = false;
    std::function<void()> launch_;
    std::function<void()> giveUp_;
};

} // namespace tessarin
