#include "notify/ReminderNotifier.h"

#include "BusPeers.h"
#include "WaitFor.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QVariantMap>
#include <gtest/gtest.h>

using namespace tessarin;
using tessarin::e2e::NotificationServer;
using tessarin::test::waitFor;

namespace {

Config documentWithTask(const std::vector<std::string>& members, Date taskDate) {
    Config c = makeDefaultConfig();
    for (const auto& name : members)
        c.workspaces.insert(c.workspaces.begin(), Workspace::make(name));
    c.cleanupTasks.push_back({Uuid::random(), members, taskDate});
    c.settings.cleanupNotifyMinutes = 540;
    c.settings.cleanupNotifyRepeat = false;
    c.settings.cleanupNotifySound = true;
    return c;
}

// True once the server has handled every notification sent on the session connection so far: it answers
// a call sent after them, and the messages of one connection arrive in order.
bool serverCaughtUp() {
    const QDBusPendingCall call = QDBusConnection::sessionBus().asyncCall(QDBusMessage::createMethodCall(
        QString::fromLatin1(ReminderNotifier::service), QString::fromLatin1(ReminderNotifier::path),
        QString::fromLatin1(ReminderNotifier::interface), QStringLiteral("GetCapabilities")));
    return waitFor([&] { return call.isFinished(); }) && !call.isError();
}

} // namespace

TEST(ReminderNotifier, ShowsEachReminderAtItsTimeAndReplacesItByIdentifier) {
    // The desktop's notification server, on its own connection to the test's private bus.
    QDBusConnection serverBus = QDBusConnection::connectToBus(QDBusConnection::SessionBus, "notifications");
    NotificationServer server;
    ASSERT_TRUE(serverBus.registerObject(QString::fromLatin1(ReminderNotifier::path), &server,
                                         QDBusConnection::ExportAllSlots));
    ASSERT_TRUE(serverBus.registerService(QString::fromLatin1(ReminderNotifier::service)));

    // The task's day starts a day from now; its reminder is at 09:00 local time that day.
    const Date start = Date::fromUnixSeconds(1'790'000'000);
    ManualClock clock(start);
    ReminderNotifier notifier(QDBusConnection::sessionBus(), clock);
    Config document = documentWithTask({"Taxes"}, start.addingSeconds(86'400));
    notifier.sync(document);
    ASSERT_EQ(notifier.pending().size(), 1u);
    const CleanupReminder reminder = notifier.pending().front();
    EXPECT_GT(reminder.fireAt, start);

    struct Step {
        const char* what;
        std::function<void()> act;
        size_t shown; // notifications the server has had after the step
        uint replaces;
        const char* names; // the desktops the last one names (its text is the core's)
    };
    const std::vector<Step> steps = {
        {"before its time: nothing shown",
         [&] {
             clock.set(reminder.fireAt.addingSeconds(-60));
             notifier.deliverDue();
         },
         0, 0, nullptr},
        {"at its time (the scheduler's tick): shown",
         [&] {
             clock.set(reminder.fireAt);
             notifier.deliverDue();
         },
         1, 0, "Taxes"},
        {"delivered once only",
         [&] {
             clock.advance(120);
             notifier.deliverDue();
         },
         1, 0, "Taxes"},
        {"planned again with more members and shown again: it replaces the first",
         [&] {
             clock.set(start);
             document = documentWithTask({"Taxes", "Photos"}, start.addingSeconds(86'400));
             document.cleanupTasks.front().id = Uuid::parse(reminder.identifier.substr(17)).value();
             notifier.sync(document);
             clock.set(reminder.fireAt);
             notifier.deliverDue();
         },
         2, 1, "Taxes, Photos"},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.what);
        step.act();
        ASSERT_TRUE(serverCaughtUp());
        ASSERT_EQ(server.shown.size(), step.shown);
        if (step.shown == 0)
            continue;
        const auto& last = server.shown.back();
        EXPECT_EQ(last.replaces, step.replaces);
        EXPECT_TRUE(last.body.contains(QString::fromUtf8(step.names))) << last.body.toStdString();
        EXPECT_FALSE(last.hints.value(QStringLiteral("sound-name")).toString().isEmpty());
    }
    EXPECT_TRUE(notifier.pending().empty());

    // Armed on its own timer: a reminder due in a moment is shown without any tick.
    document.settings.cleanupNotifySound = false;
    clock.set(reminder.fireAt.addingSeconds(-0.05));
    notifier.sync(document);
    clock.set(reminder.fireAt);
    ASSERT_TRUE(waitFor([&] { return server.shown.size() >= 3; }));
    EXPECT_TRUE(notifier.pending().empty());
    ASSERT_TRUE(serverCaughtUp());
    ASSERT_EQ(server.shown.size(), 3u);
    EXPECT_EQ(server.shown.back().replaces, 1u);
    EXPECT_TRUE(server.shown.back().hints.value(QStringLiteral("suppress-sound")).toBool());

    serverBus.unregisterService(QString::fromLatin1(ReminderNotifier::service));
    QDBusConnection::disconnectFromBus(QStringLiteral("notifications"));
}
