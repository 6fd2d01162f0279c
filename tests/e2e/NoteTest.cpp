#include "BusPeers.h"
#include "Session.h"

#include <QElapsedTimer>
#include <QUrl>
#include <gtest/gtest.h>

using namespace tessarin;
using namespace tessarin::e2e;

TEST(FirstSwitchNote, ComesASecondLaterOnceAndShowsTheFolder) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    FileManager files;
    ASSERT_TRUE(bus.registerObject(QStringLiteral("/org/freedesktop/FileManager1"), &files,
                                   QDBusConnection::ExportAllSlots));
    ASSERT_TRUE(bus.registerService(QStringLiteral("org.freedesktop.FileManager1")));

    UserHome home;
    home.setUp("Home", {"Home", "Work"}, 2, [](Config& c) { c.settings.shownFirstSwitchNote = false; });
    Agent agent(home);
    ASSERT_TRUE(waitForAgentOnBus()) << agent.log();

    const Output switched = tessarinctl(home, {"switch", "Work"});
    ASSERT_EQ(switched.status, 0) << switched.err;
    QElapsedTimer sinceSwitch;
    sinceSwitch.start();
    EXPECT_TRUE(home.document().settings.shownFirstSwitchNote);
    std::optional<Window> note;
    ASSERT_TRUE(waitFor([&] { return (note = visibleAlert()).has_value(); })) << agent.log();
    EXPECT_GE(sinceSwitch.elapsed(), 800);
    screenshot("first-switch-note.png");

    // "Show Me the Folder", the second button, opens the store in the file manager.
    xdotool({"windowactivate", "--sync", note->id});
    xdotool({"key", "Tab", "space"});
    ASSERT_TRUE(waitFor([&] { return !files.shown.isEmpty(); })) << agent.log();
    EXPECT_EQ(files.shown.front(),
              QUrl::fromLocalFile(QString::fromStdString(home.store().string())).toString());
    EXPECT_TRUE(waitFor([] { return !visibleAlert().has_value(); }));

    bus.unregisterService(QStringLiteral("org.freedesktop.FileManager1"));
    bus.unregisterObject(QStringLiteral("/org/freedesktop/FileManager1"));
}
