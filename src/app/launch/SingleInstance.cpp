#include "launch/SingleInstance.h"

#include "control/ControlProtocol.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <chrono>

namespace tessarin {

SingleInstance::SingleInstance(QDBusConnection bus, const QString& busName, StoreLock& lock, Log& log,
                               QObject* parent)
    : QObject(parent), bus_(std::move(bus)), busName_(busName), lock_(lock), log_(log) {}

bool SingleInstance::claim() {
    if (!lock_.held() && !lock_.tryAcquire())
        return false;
    if (!ownsName_) {
        const auto reply =
            bus_.interface()->registerService(busName_, QDBusConnectionInterface::DontQueueService,
                                              QDBusConnectionInterface::DontAllowReplacement);
        ownsName_ = reply.isValid() && reply.value() == QDBusConnectionInterface::ServiceRegistered;
        if (!ownsName_) {
            // The lock without the name is no use: let the owner of the name have it.
            lock_.release();
            return false;
        }
    }
    return true;
}

std::optional<long> SingleInstance::otherPid() {
    if (const auto owner = bus_.interface()->serviceOwner(busName_); owner.isValid()) {
        const auto pid = bus_.interface()->servicePid(owner.value());
        if (pid.isValid())
            return static_cast<long>(pid.value());
    }
    try {
        StoreLock probe(lock_.path().parent_path().parent_path(), "tessarin");
        probe.acquire(std::chrono::milliseconds(0));
    } catch (const StoreLockBusy& busy) {
        if (busy.holderPid())
            return static_cast<long>(*busy.holderPid());
    } catch (...) {
    }
    return std::nullopt;
}

void SingleInstance::start(std::function<void()> launch, std::function<void()> giveUp) {
    launch_ = std::move(launch);
    giveUp_ = std::move(giveUp);
    if (claim()) {
        launch_();
        return;
    }
    // Bring the other instance forward; it may be a copy that is quitting, so no answer is needed.
    QDBusMessage activate = QDBusMessage::createMethodCall(busName_, QString::fromLatin1(control::objectPath),
                                                           QString::fromLatin1(control::interfaceName),
                                                           QStringLiteral("Activate"));
    bus_.asyncCall(activate, 1000);
    log_.log(LogCategory::app, "another instance is running (pid %d) — waiting to see if it's exiting",
             static_cast<int>(otherPid().value_or(0)));
    awaitHandover(handoverAttempts);
}

void SingleInstance::awaitHandover(int attemptsLeft) {
    QTimer::singleShot(handoverIntervalMs, this, [this, attemptsLeft] {
        if (claim()) {
            log_.log(LogCategory::app, "previous instance exited — taking over");
            launch_();
        } else if (attemptsLeft > 1) {
            awaitHandover(attemptsLeft - 1);
        } else {
            log_.log(LogCategory::app, "another instance is alive and staying — this one quits");
            giveUp_();
        }
    });
}

} // namespace tessarin
