// The agent on a Wayland compositor (scripts/wayland-session: weston, headless, no X server). A
// client that did not receive the click cannot open a popup menu at the icon there, so the item asks
// the panel to draw the exported menu on a plain click; this test plays that panel.
#include "BusPeers.h"
#include "Session.h"
#include "SniHost.h"

#include <QImage>
#include <gtest/gtest.h>

using namespace tessarin;
using namespace tessarin::e2e;

namespace {

// The compositor's screen, saved under the artifacts as `name` (weston-screenshooter writes into its
// working folder).
QImage compositorScreenshot(const std::string& name) {
    const std::string target = std::string(std::getenv("TESSARIN_TEST_ARTIFACTS")) + "/" + name;
    run({"/bin/sh", "-c",
         "cd \"$WAYLAND_SESSION_DIR\" && rm -f wayland-screenshot-*.png && /usr/bin/weston-screenshooter && "
         "mv wayland-screenshot-*.png '" +
             target + "'"});
    return QImage(QString::fromStdString(target));
}

// How many pixels differ between two pictures of the screen of the same size.
int changedPixels(const QImage& a, const QImage& b) {
    int changed = 0;
    for (int y = 0; y < std::min(a.height(), b.height()); ++y)
        for (int x = 0; x < std::min(a.width(), b.width()); ++x)
            changed += a.pixel(x, y) != b.pixel(x, y);
    return changed;
}

} // namespace

TEST(Wayland, APlainClickShowsTheMenuThePanelDrawsAndTheWheelStillSwitches) {
    ASSERT_TRUE(qEnvironmentVariableIsEmpty("DISPLAY")) << "run inside scripts/wayland-session";
    registerTrayDBusTypes();
    StatusNotifierWatcher watcher;
    Served served(&watcher, "/StatusNotifierWatcher", "org.kde.StatusNotifierWatcher");
    ASSERT_TRUE(served.ok());

    UserHome home;
    home.setUp("Home", {"Home", "Work", "Play"});
    Agent agent(home);
    ASSERT_TRUE(waitFor([&] { return !watcher.items().isEmpty(); })) << agent.log();
    const QString service = watcher.items().front();
    EXPECT_TRUE(agent.waitForLog("tray icon shown through StatusNotifierItem")) << agent.log();
    EXPECT_TRUE(itemProperty(service, "ItemIsMenu").toBool()) << "the panel opens the menu on a plain click";

    // The panel's plain click: it reads the exported menu and sends the row the user chose.
    const int work = idOf(menuLayout(service), "Work\u00a0\u00a0\u00a0\u00a0\u00a0");
    ASSERT_GT(work, 0) << agent.log();
    click(service, work);
    ASSERT_TRUE(waitForActive(home, "Work")) << agent.log();

    // A panel that calls Activate anyway gets the agent's own menu, placed by the compositor, and no
    // carousel (the keyboard's state is unknown there).
    const QImage before = compositorScreenshot("wayland-before-click.png");
    ASSERT_FALSE(before.isNull());
    call(service, QStringLiteral("/StatusNotifierItem"), QStringLiteral("org.kde.StatusNotifierItem"),
         QStringLiteral("Activate"), {20, 10});
    EXPECT_TRUE(waitFor([&] {
        return changedPixels(before, compositorScreenshot("wayland-own-menu.png")) > 5000;
    })) << agent.log();
    EXPECT_EQ(home.document().activeWorkspace, "Work");

    // The wheel over the item goes on as on X11.
    scroll(service, -120);
    ASSERT_TRUE(waitForActive(home, "Play")) << agent.log();

    // No watcher and no X11 tray: the agent says so and waits for a panel.
    served.giveUpName();
    EXPECT_TRUE(agent.waitForLog("no tray to show the icon in")) << agent.log();
}
