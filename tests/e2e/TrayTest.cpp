#include "BusPeers.h"
#include "Session.h"
#include "session/CommandReports.h"
#include "support/RunProcess.h"
#include "tray/NoTrayNotice.h"

#include <QDBusConnection>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/wait.h>

using namespace tessarin;
using namespace tessarin::e2e;

namespace {

bool isDarkPanel(const QImage& shot, const Window& icon) {
    return qGray(shot.pixel(icon.x + icon.width + 2, icon.y + icon.height / 2)) < 128;
}

std::string active(const UserHome& home) {
    return home.document().activeWorkspace;
}

bool waitForActive(const UserHome& home, const std::string& name) {
    return waitFor([&] { return active(home) == name; });
}

} // namespace

TEST(TrayIcon, ShowsTheGlyphInThePanel) {
    UserHome home;
    home.setUp("Home", {"Home", "Work"});
    Agent agent(home);
    ASSERT_TRUE(waitForAgentOnBus()) << agent.log();
    std::optional<Window> icon;
    ASSERT_TRUE(waitFor([&] { return (icon = trayIcon()).has_value(); })) << agent.log();
    EXPECT_TRUE(agent.logHas("tray icon shown through XEmbed"));

    const QImage shot = screenshot("tray-icon.png");
    shot.save(QString::fromStdString(std::string(std::getenv("TESSARIN_TEST_ARTIFACTS")) + "/tray-icon-" +
                                     (isDarkPanel(shot, *icon) ? "dark" : "light") + "-panel.png"));
    const QRect area(icon->x, icon->y, icon->width, icon->height);
    const QRgb panel = shot.pixel(icon->x + icon->width + 2, icon->y + icon->height / 2);
    const auto runs = contrastRuns(shot, area, panel);
    if (isDarkPanel(shot, *icon)) {
        // The three light bars stand out, the wide one on the left.
        ASSERT_EQ(runs.size(), 3u) << "panel grey " << qGray(panel);
        EXPECT_GT(runs[0].second, 2 * runs[2].second);
    } else {
        // The dark outlines stand out: the outer edges and the two gaps between the bars.
        ASSERT_EQ(runs.size(), 4u) << "panel grey " << qGray(panel);
        EXPECT_GT(runs[1].first - runs[0].first, 2 * (runs[3].first - runs[2].first));
    }
    const int glyphWidth = runs.back().first + runs.back().second - runs.front().first;
    EXPECT_NEAR(glyphWidth, icon->width - 2, 2);
}

TEST(TrayIcon, MenuWheelAltClickAndForwardedCommands) {
    UserHome home;
    home.setUp("Home", {"Home", "Work", "Play", "Read"}, 2, [](Config& c) {
        c.settings.optionClickCarousel = {"Play", "Home"};
    });
    Agent agent(home);
    ASSERT_TRUE(waitForAgentOnBus()) << agent.log();
    std::optional<Window> icon;
    ASSERT_TRUE(waitFor([&] { return (icon = trayIcon()).has_value(); })) << agent.log();
    const int cx = icon->x + icon->width / 2, cy = icon->y + icon->height / 2;

    // A click opens the status menu; the keyboard chooses the second desktop.
    const auto before = visibleWindows();
    clickAt(cx, cy);
    std::optional<Window> menu;
    ASSERT_TRUE(waitFor([&] { return (menu = newAgentWindow(before)).has_value(); })) << agent.log();
    EXPECT_LT(menu->y, 80); // below the panel
    screenshot("status-menu.png");
    xdotool({"key", "Down", "Down", "Return"});
    ASSERT_TRUE(waitForActive(home, "Work")) << agent.log();
    EXPECT_EQ(UserHome::listing(home.desktop()), (std::vector<std::string>{"Work 0.txt", "Work 1.txt"}));
    EXPECT_EQ(UserHome::listing(home.folder("Home")), (std::vector<std::string>{"Home 0.txt", "Home 1.txt"}));

    // tessarinctl forwards to the agent, which holds the store: an in-process run would wait for the
    // lock and give up with status 3.
    const Output switched = tessarinctl(home, {"--json", "switch", "Play"});
    EXPECT_EQ(switched.status, 0) << switched.err;
    EXPECT_EQ(decodeSwitchOutcome(switched.out).target, "Play");
    EXPECT_TRUE(agent.waitForLog("switched Work → Play"));
    EXPECT_EQ(active(home), "Play");
    // A tessarinctl of another home leaves this agent alone and works on its own store.
    UserHome other;
    other.setUp("X", {"X", "Y"});
    const Output elsewhere = tessarinctl(other, {"switch", "Y"});
    EXPECT_EQ(elsewhere.status, 0) << elsewhere.err;
    EXPECT_EQ(other.document().activeWorkspace, "Y");
    EXPECT_FALSE(agent.logHas("X → Y"));
    const Output last = tessarinctl(home, {"last"});
    EXPECT_EQ(last.status, 0) << last.err; // only the agent remembers the previous desktop
    EXPECT_EQ(active(home), "Work");
    const Output unknown = tessarinctl(home, {"switch", "Nowhere"});
    EXPECT_EQ(unknown.status, 1);
    EXPECT_EQ(unknown.err, "There is no desktop called \u201cNowhere\u201d.\n");
    const Output usage = tessarinctl(home, {"switch"});
    EXPECT_EQ(usage.status, 2);
    const Output again = tessarinctl(home, {"--json", "switch", "Work"});
    EXPECT_EQ(again.out, "{\"result\":\"nothingToDo\"}\n");
    // A failure is the caller's to report: the agent shows no alert and logs no switch.
    EXPECT_TRUE(agent.logHas("reported to the requester: There is no desktop called \u201cNowhere\u201d."));
    EXPECT_FALSE(agent.logHas("Nowhere in"));
    EXPECT_FALSE(agent.logHas("surfaced to the user"));
    EXPECT_FALSE(visibleAlert());

    // The wheel over the icon previews the next desktops and switches once it stops.
    xdotool({"mousemove", std::to_string(cx), std::to_string(cy), "click", "--repeat", "2", "--delay", "120",
             "5"});
    std::optional<Window> hud;
    ASSERT_TRUE(waitFor([&] { return (hud = visibleWindowNamed("Tessarin desktops")).has_value(); }));
    screenshot("scroll-hud.png");
    EXPECT_NEAR(hud->x + hud->width / 2, 640, 2); // centred on the screen
    ASSERT_TRUE(waitForActive(home, "Read")) << agent.log();
    EXPECT_TRUE(waitFor([] { return !visibleWindowNamed("Tessarin desktops"); }));
    xdotool({"click", "4"});
    ASSERT_TRUE(waitForActive(home, "Play"));

    // Alt-click steps through the carousel (Play, Home) without opening the menu.
    const auto beforeAlt = visibleWindows();
    xdotool({"keydown", "Alt_L", "click", "1", "keyup", "Alt_L"});
    ASSERT_TRUE(waitForActive(home, "Home")) << agent.log();
    xdotool({"keydown", "Alt_L", "click", "1", "keyup", "Alt_L"});
    ASSERT_TRUE(waitForActive(home, "Play"));
    EXPECT_FALSE(newAgentWindow(beforeAlt));

    // The agent answers status as tessarinctl itself would, once it is gone.
    const Output forwarded = tessarinctl(home, {"status"});
    // "Quit", the menu's last item, ends the agent.
    const auto beforeQuit = visibleWindows();
    clickAt(cx, cy);
    ASSERT_TRUE(waitFor([&] { return newAgentWindow(beforeQuit).has_value(); })) << agent.log();
    xdotool({"key", "Up", "Return"});
    EXPECT_EQ(agent.waitForExit(std::chrono::seconds(10)), 0);
    ASSERT_TRUE(waitFor([] { return !agentOnBus(); }));
    const Output inProcess = tessarinctl(home, {"status"});
    EXPECT_EQ(forwarded.status, 0);
    EXPECT_EQ(forwarded.out, inProcess.out);
}

// Run in a session without a panel (x11-session --panel none): nothing shows the icon.
TEST(TrayIcon, NoTrayAtAllIsToldOnceAndTheIconComesWithTheTray) {
    UserHome home;
    home.setUp("Home", {"Home", "Work"});
    {
        // Without a notification server the agent says it in an alert; the command line still works.
        Agent agent(home, "alone.log");
        ASSERT_TRUE(agent.waitForLog("no tray to show the icon in")) << agent.log();
        std::optional<Window> alert;
        ASSERT_TRUE(waitFor([&] { return (alert = visibleAlert()).has_value(); })) << agent.log();
        screenshot("no-tray-alert.png");
        EXPECT_FALSE(agent.logHas("tray icon shown through"));
        const Output switched = tessarinctl(home, {"switch", "Work"});
        EXPECT_EQ(switched.status, 0) << switched.err;
        EXPECT_EQ(home.document().activeWorkspace, "Work");
        xdotool({"windowactivate", "--sync", alert->id, "key", "Return"});
        ASSERT_TRUE(waitFor([] { return !visibleAlert(); }));
    }
    ASSERT_TRUE(waitFor([] { return !agentOnBus(); }));

    // With one, a notification; when a tray appears the icon is put in it, and nobody is told twice.
    QDBusConnection bus = QDBusConnection::sessionBus();
    NotificationServer notifications;
    ASSERT_TRUE(bus.registerObject(QStringLiteral("/org/freedesktop/Notifications"), &notifications,
                                   QDBusConnection::ExportAllSlots));
    ASSERT_TRUE(bus.registerService(QStringLiteral("org.freedesktop.Notifications")));
    Agent agent(home, "told.log");
    ASSERT_TRUE(waitFor([&] { return !notifications.shown.isEmpty(); })) << agent.log();
    EXPECT_EQ(notifications.shown.front().summary, QString::fromUtf8(NoTrayNotice::summary));
    EXPECT_TRUE(notifications.shown.front().body.contains(QStringLiteral("tessarinctl list")));
    EXPECT_FALSE(visibleAlert());
    const std::string panelConfig = std::string(std::getenv("XDG_CONFIG_HOME")) + "/tint2/tint2rc";
    const pid_t panel = test::spawn({"/usr/bin/tint2", "-c", panelConfig}, {});
    std::optional<Window> icon;
    EXPECT_TRUE(waitFor([&] { return (icon = trayIcon()).has_value(); })) << agent.log();
    EXPECT_TRUE(agent.logHas("tray icon shown through XEmbed"));
    screenshot("tray-appeared.png");
    EXPECT_EQ(notifications.shown.size(), 1);
    ::kill(panel, SIGTERM);
    ::waitpid(panel, nullptr, 0);
    bus.unregisterService(QStringLiteral("org.freedesktop.Notifications"));
    bus.unregisterObject(QStringLiteral("/org/freedesktop/Notifications"));
}
