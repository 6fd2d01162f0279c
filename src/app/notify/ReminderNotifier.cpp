#include "notify/ReminderNotifier.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QVariantMap>
#include <algorithm>
#include <cmath>

namespace tessarin {

ReminderNotifier::ReminderNotifier(QDBusConnection bus, const Clock& clock, Calendar calendar,
                                   QObject* parent)
    : QObject(parent), bus_(std::move(bus)), clock_(clock), calendar_(calendar) {
    timer_.setSingleShot(true);
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, &ReminderNotifier::deliverDue);
}

void ReminderNotifier::sync(const Config& config) {
    pending_ = CleanupReminders::plan(config, clock_.now(), calendar_).reminders;
    std::stable_sort(pending_.begin(), pending_.end(),
                     [](const CleanupReminder& a, const CleanupReminder& b) { return a.fireAt < b.fireAt; });
    arm();
}

void ReminderNotifier::deliverDue() {
    const Date now = clock_.now();
    while (!pending_.empty() && !(now < pending_.front().fireAt)) {
        show(pending_.front());
        pending_.erase(pending_.begin());
    }
    arm();
}

void ReminderNotifier::arm() {
    timer_.stop();
    if (pending_.empty())
        return;
    const double seconds = pending_.front().fireAt.secondsSinceReference - clock_.now().secondsSinceReference;
    const double ms = std::clamp(std::ceil(seconds * 1000.0), 0.0, static_cast<double>(longestWaitMs));
    timer_.start(static_cast<int>(ms));
}

void ReminderNotifier::show(const CleanupReminder& reminder) {
    QDBusMessage call =
        QDBusMessage::createMethodCall(QString::fromLatin1(service), QString::fromLatin1(path),
                                       QString::fromLatin1(interface), QStringLiteral("Notify"));
    const auto known = notificationIds_.find(reminder.identifier);
    const uint replaces = known == notificationIds_.end() ? 0u : known->second;
    QVariantMap hints;
    hints.insert(QStringLiteral("desktop-entry"), QStringLiteral("com.orrinvale.Tessarin"));
    if (reminder.sound)
        hints.insert(QStringLiteral("sound-name"), QStringLiteral("message-new-instant"));
    else
        hints.insert(QStringLiteral("suppress-sound"), true);
    call << QStringLiteral("Tessarin") << replaces << QString() << QString::fromStdString(reminder.title)
         << QString::fromStdString(reminder.body) << QStringList() << hints << -1;
    // Asynchronous: the agent never waits on the notification server.
    auto* watcher = new QDBusPendingCallWatcher(bus_.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, identifier = reminder.identifier](QDBusPendingCallWatcher* w) {
                const QDBusPendingReply<uint> reply = *w;
                if (!reply.isError())
                    notificationIds_[identifier] = reply.value();
                w->deleteLater();
            });
}

} // namespace tessarin
