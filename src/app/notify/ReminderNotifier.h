#pragma once

#include "model/Config.h"
#include "organise/CleanupReminders.h"
#include "support/Calendar.h"
#include "support/Clock.h"

#include <QDBusConnection>
#include <QObject>
#include <QTimer>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace tessarin {

// Delivers the cleanup reminders through the desktop's notification server
// (org.freedesktop.Notifications). Every sync replaces the pending reminders with the document's
// plan; each is shown when its wall-clock time comes, and a reminder shown again under the same
// identifier replaces the earlier notification instead of adding one.
class ReminderNotifier : public QObject {
    Q_OBJECT
public:
    static constexpr const char* service = "org.freedesktop.Notifications";
    static constexpr const char* path = "/org/freedesktop/Notifications";
    static constexpr const char* interface = "org.freedesktop.Notifications";
    // The timer runs on the monotonic clock: it wakes at least this often to look at the wall clock.
    static constexpr int longestWaitMs = 3'600'000;

    ReminderNotifier(QDBusConnection bus, const Clock& clock, Calendar calendar = {},
                     QObject* parent = nullptr);

    void sync(const Config& config);
    // Shows every pending reminder whose time has come and arms the timer for the next. The
    // scheduler's tick calls it too, so that a reminder due during sleep is shown on waking.
    void deliverDue();

    const std::vector<CleanupReminder>& pending() const { return pending_; }

private:
    void arm();
    void show(const CleanupReminder& reminder);

    QDBusConnection bus_;
    const Clock& clock_;
    Calendar calendar_;
    std::vector<CleanupReminder> pending_;            // earliest first
    std::map<std::string, uint32_t> notificationIds_; // identifier -> the server's id of its notification
    QTimer timer_;
};

} // namespace tessarin
