#include "BusPeers.h"
#include "Session.h"
#include "session/CommandReports.h"
#include "tray/NoTrayNotice.h"
#include "tray/TrayHost.h"

#include <gtest/gtest.h>

using namespace tessarin;
using namespace tessarin::e2e;

TEST(TrayIcon, ShowsTheGlyphInThePanel) {
    UserHome home;
    home.setUp("Home", {"Home", "Work"});
    Agent agent(home);
    ASSERT_TRUE(waitForAgentOnBus()) << agent.log();
    const auto icon = waitForWindow(trayIcon);
    ASSERT_TRUE(icon) << agent.log();
    EXPECT_TRUE(agent.logHas("tray icon shown through XEmbed"));

    const QImage shot = screenshot("tray-icon.png");
    const QRgb panel = shot.pixel(icon->x + icon->width + 2, icon->y + icon->height / 2);
    const bool dark = qGray(panel) < 128;
    saveArtifact(shot, std::string("tray-icon-") + (dark ? "dark" : "light") + "-panel.png");
    const auto runs = contrastRuns(shot, QRect(icon->x, icon->y, icon->width, icon->height), panel);
    if (dark) {
        // The three light bars stand out, the wide one on the left.
        ASSERT_EQ(runs.size(), 3u) << "panel grey " << qGray(panel);
        EXPECT_GT(runs[0].second, 2 * runs[2].second);
    } else {
        // The dark outlines stand out: the outer edges and the two gaps between the bars.
        ASSERT_EQ(runs.size(), 4u) << "panel grey " << qGray(panel);
        EXPECT_GT(runs[1].first - runs[0].first, 2 * (runs[3].first - runs[2].first));
    }
    EXPECT_NEAR(runs.back().first + runs.back().second - runs.front().first, icon->width - 2, 2);
}

TEST(TrayIcon, MenuWheelAltClickAndForwardedCommands) {
    UserHome home;
    home.setUp("Home", {"Home", "Work", "Play", "Read"}, 2, [](Config& c) {
        c.settings.optionClickCarousel = {"Play", "Home"};
    });
    Agent agent(home);
    ASSERT_TRUE(waitForAgentOnBus()) << agent.log();
    const auto icon = waitForWindow(trayIcon);
    ASSERT_TRUE(icon) << agent.log();
    const int cx = icon->x + icon->width / 2, cy = icon->y + icon->height / 2;

    // A click opens the status menu; the keyboard chooses the second desktop.
    const auto menu = openStatusMenu(*icon);
    ASSERT_TRUE(menu) << agent.log();
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
    EXPECT_TRUE(ctlSucceeds(home, {"last"})); // only the agent remembers the previous desktop
    EXPECT_EQ(home.document().activeWorkspace, "Work");
    EXPECT_EQ(tessarinctl(home, {"switch", "Nowhere"}).status, 1);
    EXPECT_EQ(tessarinctl(home, {"--json", "switch", "Work"}).out, "{\"result\":\"nothingToDo\"}\n");
    // A failure is the caller's to report: the agent shows no alert and logs no switch.
    EXPECT_TRUE(agent.logHas("reported to the requester: "));
    EXPECT_FALSE(agent.logHas("Nowhere in"));
    EXPECT_FALSE(agent.logHas("surfaced to the user"));
    EXPECT_FALSE(visibleAlert());

    // The wheel over the icon previews the next desktops and switches once it stops.
    xdotool({"mousemove", std::to_string(cx), std::to_string(cy), "click", "--repeat", "2", "--delay", "120",
             "5"});
    const auto hud = waitForWindow([] { return visibleWindowNamed("Tessarin desktops"); });
    ASSERT_TRUE(hud);
    screenshot("scroll-hud.png");
    EXPECT_NEAR(hud->x + hud->width / 2, 640, 2); // centred on the screen
    ASSERT_TRUE(waitForActive(home, "Read")) << agent.log();
    EXPECT_TRUE(waitForNoWindow([] { return visibleWindowNamed("Tessarin desktops"); }));
    xdotool({"click", "4"});
    ASSERT_TRUE(waitForActive(home, "Play"));

    // Alt-click steps through the carousel (Play, Home) without opening the menu.
    const auto beforeAlt = visibleWindows();
    for (const char* next : {"Home", "Play"}) {
        xdotool({"keydown", "Alt_L", "click", "1", "keyup", "Alt_L"});
        ASSERT_TRUE(waitForActive(home, next)) << agent.log();
    }
    EXPECT_FALSE(newAgentWindow(beforeAlt));

    // The agent answers status as tessarinctl itself would, once it is gone; "Quit", the menu's last
    // item, ends the agent.
    const Output forwarded = tessarinctl(home, {"status"});
    ASSERT_TRUE(openStatusMenu(*icon)) << agent.log();
    xdotool({"key", "Up", "Return"});
    EXPECT_EQ(agent.waitForExit(std::chrono::seconds(10)), 0);
    ASSERT_TRUE(waitFor([] { return !agentOnBus(); }));
    EXPECT_EQ(forwarded.status, 0);
    EXPECT_EQ(forwarded.out, tessarinctl(home, {"status"}).out);
}

// Run in a session without a panel (x11-session --panel none): nothing shows the icon.
TEST(TrayIcon, NoTrayAtAllIsToldOnceAndTheIconComesWithTheTray) {
    UserHome home;
    home.setUp("Home", {"Home", "Work"});
    {
        // Without a notification server the agent says it in an alert; the command line still works.
        Agent agent(home, "alone.log");
        ASSERT_TRUE(agent.waitForLog("no tray to show the icon in")) << agent.log();
        const auto alert = waitForWindow(visibleAlert);
        ASSERT_TRUE(alert) << agent.log();
        screenshot("no-tray-alert.png");
        EXPECT_FALSE(agent.logHas("tray icon shown through"));
        EXPECT_TRUE(ctlSucceeds(home, {"switch", "Work"}));
        EXPECT_EQ(home.document().activeWorkspace, "Work");
        keysIn(*alert, {"Return"});
        ASSERT_TRUE(waitForNoWindow(visibleAlert));
    }
    ASSERT_TRUE(waitFor([] { return !agentOnBus(); }));

    // With one, a notification; when a tray appears the icon is put in it, and nobody is told twice.
    NotificationServer notifications;
    const Served served(&notifications, "/org/freedesktop/Notifications", "org.freedesktop.Notifications");
    ASSERT_TRUE(served.ok());
    const std::vector<std::string> tint2 = {"/usr/bin/tint2", "-c",
                                            std::string(std::getenv("XDG_CONFIG_HOME")) + "/tint2/tint2rc"};
    {
        // A panel that comes just after the agent (both started at login) is not a missing tray.
        Agent agent(home, "late-panel.log");
        ASSERT_TRUE(agent.waitForLog("no tray to show the icon in")) << agent.log();
        const Process panel(tint2, {});
        EXPECT_TRUE(waitForWindow(trayIcon)) << agent.log();
        EXPECT_FALSE(waitFor([&] { return !notifications.shown.isEmpty(); },
                             std::chrono::milliseconds(TrayHost::noTrayGraceMs + 1000)));
    }
    ASSERT_TRUE(waitFor([] { return !agentOnBus(); }));
    ASSERT_TRUE(waitForNoWindow([] { return visibleWindowNamed("tint2"); }));

    Agent agent(home, "told.log");
    ASSERT_TRUE(waitFor([&] { return !notifications.shown.isEmpty(); })) << agent.log();
    EXPECT_EQ(notifications.shown.front().summary, QString::fromUtf8(NoTrayNotice::summary));
    EXPECT_TRUE(notifications.shown.front().body.contains(QStringLiteral("tessarinctl list")));
    EXPECT_FALSE(visibleAlert());
    const Process panel(tint2, {});
    EXPECT_TRUE(waitForWindow(trayIcon)) << agent.log();
    EXPECT_TRUE(agent.logHas("tray icon shown through XEmbed"));
    screenshot("tray-appeared.png");
    EXPECT_EQ(notifications.shown.size(), 1);
}
