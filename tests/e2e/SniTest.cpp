#include "BusPeers.h"
#include "Session.h"
#include "SniHost.h"
#include "tray/TrayDBusTypes.h"

#include <gtest/gtest.h>

using namespace tessarin;
using namespace tessarin::e2e;

TEST(StatusNotifierItem, RegistersExportsTheMenuAndAnswersScrollAndActivate) {
    registerTrayDBusTypes();
    StatusNotifierWatcher watcher;
    Served served(&watcher, "/StatusNotifierWatcher", "org.kde.StatusNotifierWatcher");
    ASSERT_TRUE(served.ok());

    UserHome home;
    home.setUp("Home", {"Home", "Work", "Play_Time"}, 2, [](Config& c) {
        c.settings.showShortcutsInMenu = true;
        c.updateWorkspace("Work", [](Workspace& w) { w.hotkey = HotKeySpec{122, (1u << 18) | (1u << 19)}; });
    });
    Agent agent(home);
    ASSERT_TRUE(waitFor([&] { return !watcher.items().isEmpty(); })) << agent.log();
    EXPECT_TRUE(agent.waitForLog("tray icon shown through StatusNotifierItem"));
    const QString service = watcher.items().front();
    EXPECT_TRUE(service.startsWith(QStringLiteral("org.kde.StatusNotifierItem-")));
    EXPECT_FALSE(trayIcon()) << "no XEmbed icon while the watcher is there";

    // The item's properties and icon images.
    EXPECT_EQ(itemProperty(service, "Id").toString(), QStringLiteral("com.orrinvale.Tessarin"));
    EXPECT_FALSE(itemProperty(service, "ItemIsMenu").toBool());
    const auto icons = itemStruct<QList<SniIconPixmap>>(service, QStringLiteral("IconPixmap"));
    ASSERT_FALSE(icons.isEmpty());
    for (const auto& icon : icons)
        EXPECT_EQ(icon.bytes.size(), icon.width * icon.height * 4);

    // The menu, read as a host reads it.
    const QString menuPath = itemProperty(service, "Menu").value<QDBusObjectPath>().path();
    EXPECT_EQ(menuPath, QStringLiteral("/MenuBar"));
    DBusMenuLayoutItem layout = menuLayout(service);
    // The rows are the status menu's (its own test has them all), read as a panel reads them: titles
    // unpadded with shortcuts shown, "_" doubled for the panel, the desktop's shortcut exported.
    ASSERT_GE(layout.children.size(), 3);
    EXPECT_EQ(idOf(layout, "Home"), layout.children[0].id);
    EXPECT_EQ(idOf(layout, "Play__Time"), layout.children[2].id);
    EXPECT_EQ(layout.children[0].properties.value("toggle-state").toInt(), 1);
    EXPECT_EQ(decoded<QList<QStringList>>(layout.children[1].properties.value("shortcut")),
              (QList<QStringList>{{"Control", "Alt", "F1"}}));
    EXPECT_FALSE(layout.children[0].properties.contains("shortcut"));
    EXPECT_EQ(itemStruct<SniToolTip>(service, "ToolTip").title, QString::fromUtf8("Tessarin \u2014 Home"));

    // Scroll down over the icon in thirds of a notch, as a touchpad through Plasma does: one step, to
    // the next desktop once the scrolling settles (three steps would have reached the end of the ring).
    for (int third = 0; third < 3; ++third)
        scroll(service, -40);
    const auto hud = [] { return visibleWindowNamed("Tessarin desktops"); };
    ASSERT_TRUE(waitForWindow(hud)) << agent.log();
    scroll(service, 120, "horizontal"); // sideways: nothing
    ASSERT_TRUE(waitForNoWindow(hud));
    ASSERT_TRUE(waitForActive(home, "Work")) << agent.log();
    EXPECT_TRUE(waitFor([&] {
        return itemStruct<SniToolTip>(service, "ToolTip").title == QString::fromUtf8("Tessarin \u2014 Work");
    }));

    // A panel that fetched the menu before a rebuild sends clicks with the ids it read: a row that is
    // gone does nothing, and a row that moved runs what it showed.
    layout = menuLayout(service);
    EXPECT_EQ(layout.children[1].properties.value("toggle-state").toInt(), 1);
    const int homeId = idOf(layout, "Home");
    const int workId = idOf(layout, "Work");
    const int playId = idOf(layout, "Play__Time");
    ASSERT_TRUE(ctlSucceeds(home, {"delete", "Home"}));
    ASSERT_TRUE(waitFor([&] { return idOf(menuLayout(service), "Home") == -1; })) << agent.log();
    EXPECT_EQ(idOf(menuLayout(service), "Work"), workId);
    click(service, homeId);
    click(service, workId);
    ASSERT_TRUE(agent.waitForLog("switched Work → Work")) << agent.log();
    EXPECT_EQ(home.document().activeWorkspace, "Work");
    EXPECT_FALSE(agent.logHas("→ Play_Time"));
    click(service, playId);
    ASSERT_TRUE(waitForActive(home, "Play_Time")) << agent.log();

    // Activate (a primary click) opens the menu at the click.
    const auto before = visibleWindows();
    call(service, QStringLiteral("/StatusNotifierItem"), QStringLiteral("org.kde.StatusNotifierItem"),
         QStringLiteral("Activate"), {300, 200});
    const auto menu = waitForWindow([&] { return newAgentWindow(before); });
    ASSERT_TRUE(menu) << agent.log();
    EXPECT_NEAR(menu->x, 300, 4);
    EXPECT_NEAR(menu->y, 200, 4);
    screenshot("sni-menu.png");
    xdotool({"key", "Escape"});

    // "Settings…" opens the settings window.
    click(service, idOf(menuLayout(service), QString::fromUtf8("Settings…")));
    const auto settingsWindow = [] { return visibleWindowNamed("Tessarin Settings"); };
    const auto settings = waitForWindow(settingsWindow);
    ASSERT_TRUE(settings) << agent.log();
    keysIn(*settings, {"ctrl+w"});
    ASSERT_TRUE(waitForNoWindow(settingsWindow));

    // "Floating dock" shows the dock and hides it again, leaving no window behind.
    const auto withoutDock = visibleWindows().size();
    for (const bool shown : {true, false}) {
        click(service, idOf(menuLayout(service), QStringLiteral("Floating dock")));
        EXPECT_TRUE(waitFor([&] { return visibleWindowNamed("Tessarin dock").has_value() == shown; }))
            << agent.log();
    }
    EXPECT_TRUE(waitFor([&] { return visibleWindows().size() == withoutDock; }));

    // The watcher goes away: the icon moves to the XEmbed tray.
    served.giveUpName();
    ASSERT_TRUE(agent.waitForLog("tray icon shown through XEmbed")) << agent.log();
    EXPECT_TRUE(waitForWindow(trayIcon));
    // And comes back: the item registers again.
    watcher.RegisterStatusNotifierHost({});
    const int registrations = static_cast<int>(watcher.items().size());
    ASSERT_TRUE(served.takeName());
    EXPECT_TRUE(waitFor([&] { return watcher.items().size() > registrations; })) << agent.log();
    EXPECT_TRUE(waitForNoWindow(trayIcon));
}
