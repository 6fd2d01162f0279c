#include "BusPeers.h"
#include "Session.h"
#include "SniHost.h"
#include "tray/TrayDBusTypes.h"

#include <QDBusInterface>
#include <QDBusMessage>
#include <QDBusReply>
#include <gtest/gtest.h>

using namespace tessarin;
using namespace tessarin::e2e;

TEST(StatusNotifierItem, RegistersExportsTheMenuAndAnswersScrollAndActivate) {
    registerTrayDBusTypes();
    QDBusConnection bus = QDBusConnection::sessionBus();
    StatusNotifierWatcher watcher;
    ASSERT_TRUE(watcher.serve());

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
    QDBusMessage pixmaps = call(service, QStringLiteral("/StatusNotifierItem"),
                                QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"),
                                {QStringLiteral("org.kde.StatusNotifierItem"), QStringLiteral("IconPixmap")});
    ASSERT_EQ(pixmaps.type(), QDBusMessage::ReplyMessage) << pixmaps.errorMessage().toStdString();
    const auto icons =
        decoded<QList<SniIconPixmap>>(pixmaps.arguments().front().value<QDBusVariant>().variant());
    ASSERT_FALSE(icons.isEmpty());
    for (const auto& icon : icons)
        EXPECT_EQ(icon.bytes.size(), icon.width * icon.height * 4);

    // The menu, read as a host reads it.
    const QString menuPath = itemProperty(service, "Menu").value<QDBusObjectPath>().path();
    EXPECT_EQ(menuPath, QStringLiteral("/MenuBar"));
    QDBusMessage layoutReply = call(service, menuPath, QStringLiteral("com.canonical.dbusmenu"),
                                    QStringLiteral("GetLayout"), {0, -1, QStringList()});
    ASSERT_EQ(layoutReply.type(), QDBusMessage::ReplyMessage) << layoutReply.errorMessage().toStdString();
    DBusMenuLayoutItem layout;
    layoutReply.arguments().at(1).value<QDBusArgument>() >> layout;
    QStringList labels;
    for (const auto& child : layout.children)
        labels << (child.properties.value("type").toString() == "separator"
                       ? QStringLiteral("---")
                       : child.properties.value("label").toString());
    // Shortcuts shown in the menu: titles unpadded, the desktop's shortcut exported for the panel.
    EXPECT_EQ(labels,
              (QStringList{"Home", "Work", "Play__Time", "---", "Hide current desktop", "New desktop…",
                           "Cleanup calendar", "Floating dock", "---", "Settings…", "Quit"}));
    EXPECT_EQ(layout.children[0].properties.value("toggle-state").toInt(), 1);
    EXPECT_EQ(decoded<QList<QStringList>>(layout.children[1].properties.value("shortcut")),
              (QList<QStringList>{{"Control", "Alt", "F1"}}));
    EXPECT_FALSE(layout.children[0].properties.contains("shortcut"));
    EXPECT_EQ(itemStruct<SniToolTip>(service, "ToolTip").title, QString::fromUtf8("Tessarin \u2014 Home"));

    // Scroll down over the icon in thirds of a notch, as a touchpad through Plasma does: one step, to
    // the next desktop once the scrolling settles (three steps would have reached the end of the ring).
    for (int third = 0; third < 3; ++third)
        scroll(service, -40);
    ASSERT_TRUE(waitFor([] { return visibleWindowNamed("Tessarin desktops").has_value(); })) << agent.log();
    scroll(service, 120, "horizontal"); // sideways: nothing
    ASSERT_TRUE(waitFor([] { return !visibleWindowNamed("Tessarin desktops").has_value(); }));
    ASSERT_TRUE(waitFor([&] { return home.document().activeWorkspace == "Work"; })) << agent.log();
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
    ASSERT_EQ(tessarinctl(home, {"delete", "Home"}).status, 0);
    ASSERT_TRUE(waitFor([&] { return idOf(menuLayout(service), "Home") == -1; })) << agent.log();
    EXPECT_EQ(idOf(menuLayout(service), "Work"), workId);
    click(service, homeId);
    click(service, workId);
    ASSERT_TRUE(agent.waitForLog("switched Work → Work")) << agent.log();
    EXPECT_EQ(home.document().activeWorkspace, "Work");
    EXPECT_FALSE(agent.logHas("→ Play_Time"));
    click(service, playId);
    ASSERT_TRUE(waitFor([&] { return home.document().activeWorkspace == "Play_Time"; })) << agent.log();

    // Activate (a primary click) opens the menu at the click.
    const auto before = visibleWindows().size();
    call(service, QStringLiteral("/StatusNotifierItem"), QStringLiteral("org.kde.StatusNotifierItem"),
         QStringLiteral("Activate"), {300, 200});
    std::optional<Window> menu;
    ASSERT_TRUE(waitFor([&] {
        for (const auto& w : visibleWindows())
            if (w.instance == "tessarin" && w.width > 64)
                menu = w;
        return menu.has_value() && visibleWindows().size() > before;
    })) << agent.log();
    EXPECT_NEAR(menu->x, 300, 4);
    EXPECT_NEAR(menu->y, 200, 4);
    screenshot("sni-menu.png");
    xdotool({"key", "Escape"});

    // "Settings…" opens the settings window.
    click(service, idOf(menuLayout(service), QString::fromUtf8("Settings…")));
    std::optional<Window> settings;
    ASSERT_TRUE(waitFor([&] { return (settings = visibleWindowNamed("Tessarin Settings")).has_value(); }))
        << agent.log();
    xdotool({"windowactivate", "--sync", settings->id, "key", "ctrl+w"});
    ASSERT_TRUE(waitFor([] { return !visibleWindowNamed("Tessarin Settings").has_value(); }));

    // "Floating dock" shows the dock and hides it again, leaving no window behind.
    const auto withoutDock = visibleWindows().size();
    for (const bool shown : {true, false}) {
        click(service, idOf(menuLayout(service), QStringLiteral("Floating dock")));
        EXPECT_TRUE(waitFor([&] { return visibleWindowNamed("Tessarin dock").has_value() == shown; }))
            << agent.log();
    }
    EXPECT_TRUE(waitFor([&] { return visibleWindows().size() == withoutDock; }));

    // The watcher goes away: the icon moves to the XEmbed tray.
    bus.unregisterService(QStringLiteral("org.kde.StatusNotifierWatcher"));
    ASSERT_TRUE(agent.waitForLog("tray icon shown through XEmbed")) << agent.log();
    EXPECT_TRUE(waitFor([] { return trayIcon().has_value(); }));
    // And comes back: the item registers again.
    watcher.RegisterStatusNotifierHost({});
    const int registrations = static_cast<int>(watcher.items().size());
    ASSERT_TRUE(bus.registerService(QStringLiteral("org.kde.StatusNotifierWatcher")));
    EXPECT_TRUE(waitFor([&] { return watcher.items().size() > registrations; })) << agent.log();
    EXPECT_TRUE(waitFor([] { return !trayIcon().has_value(); }));
    bus.unregisterObject(QStringLiteral("/StatusNotifierWatcher"));
}
