#include "BusPeers.h"
#include "Session.h"
#include "tray/TrayDBusTypes.h"

#include <QDBusInterface>
#include <QDBusMessage>
#include <QDBusReply>
#include <gtest/gtest.h>

using namespace tessarin;
using namespace tessarin::e2e;

namespace {

QVariant itemProperty(const QString& service, const char* name) {
    QDBusInterface item(service, QStringLiteral("/StatusNotifierItem"),
                        QStringLiteral("org.kde.StatusNotifierItem"));
    return item.property(name);
}

QDBusMessage call(const QString& service, const QString& path, const QString& interface,
                  const QString& method, const QVariantList& args) {
    QDBusMessage m = QDBusMessage::createMethodCall(service, path, interface, method);
    m.setArguments(args);
    return QDBusConnection::sessionBus().call(m, QDBus::BlockWithGui, 10000);
}

} // namespace

TEST(StatusNotifierItem, RegistersExportsTheMenuAndAnswersScrollAndActivate) {
    registerTrayDBusTypes();
    QDBusConnection bus = QDBusConnection::sessionBus();
    StatusNotifierWatcher watcher;
    ASSERT_TRUE(bus.registerObject(QStringLiteral("/StatusNotifierWatcher"), &watcher,
                                   QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllProperties));
    ASSERT_TRUE(bus.registerService(QStringLiteral("org.kde.StatusNotifierWatcher")));

    UserHome home;
    home.setUp("Home", {"Home", "Work", "Play_Time"});
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
    QList<SniIconPixmap> icons;
    const QVariant iconValue = pixmaps.arguments().front().value<QDBusVariant>().variant();
    if (iconValue.canConvert<QDBusArgument>())
        iconValue.value<QDBusArgument>() >> icons;
    else
        icons = iconValue.value<QList<SniIconPixmap>>();
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
    const QString pad = QString::fromUtf8("\u00a0\u00a0\u00a0\u00a0\u00a0");
    EXPECT_EQ(labels,
              (QStringList{"Home" + pad, "Work" + pad, "Play__Time" + pad, "---",
                           "Hide current desktop" + pad, "New desktop…" + pad, "Cleanup calendar" + pad,
                           "Floating dock" + pad, "---", "Settings…" + pad, "Quit" + pad}));
    EXPECT_EQ(layout.children[0].properties.value("toggle-state").toInt(), 1);

    // Scroll down over the icon: the next desktop once the scrolling settles.
    call(service, QStringLiteral("/StatusNotifierItem"), QStringLiteral("org.kde.StatusNotifierItem"),
         QStringLiteral("Scroll"), {-120, QStringLiteral("vertical")});
    ASSERT_TRUE(waitFor([] { return visibleWindowNamed("Tessarin desktops").has_value(); })) << agent.log();
    ASSERT_TRUE(waitFor([&] { return home.document().activeWorkspace == "Work"; })) << agent.log();
    call(service, QStringLiteral("/StatusNotifierItem"), QStringLiteral("org.kde.StatusNotifierItem"),
         QStringLiteral("Scroll"), {120, QStringLiteral("horizontal")}); // sideways: nothing
    EXPECT_TRUE(waitFor([] { return !visibleWindowNamed("Tessarin desktops").has_value(); }));
    EXPECT_EQ(home.document().activeWorkspace, "Work");

    // After the switch the host is told to fetch the new layout; choosing "Play_Time" in it switches there.
    layoutReply = call(service, menuPath, QStringLiteral("com.canonical.dbusmenu"),
                       QStringLiteral("GetLayout"), {0, -1, QStringList()});
    layoutReply.arguments().at(1).value<QDBusArgument>() >> layout;
    EXPECT_EQ(layout.children[1].properties.value("toggle-state").toInt(), 1);
    call(service, menuPath, QStringLiteral("com.canonical.dbusmenu"), QStringLiteral("Event"),
         {3, QStringLiteral("clicked"), QVariant::fromValue(QDBusVariant(QString())), 0u});
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
    call(service, menuPath, QStringLiteral("com.canonical.dbusmenu"), QStringLiteral("Event"),
         {10, QStringLiteral("clicked"), QVariant::fromValue(QDBusVariant(QString())), 0u});
    std::optional<Window> settings;
    ASSERT_TRUE(waitFor([&] { return (settings = visibleWindowNamed("Tessarin Settings")).has_value(); }))
        << agent.log();
    xdotool({"windowactivate", "--sync", settings->id, "key", "ctrl+w"});
    ASSERT_TRUE(waitFor([] { return !visibleWindowNamed("Tessarin Settings").has_value(); }));

    // Items whose window is not there yet say so rather than doing nothing ("Floating dock").
    const auto beforeNote = visibleWindows().size();
    call(service, menuPath, QStringLiteral("com.canonical.dbusmenu"), QStringLiteral("Event"),
         {8, QStringLiteral("clicked"), QVariant::fromValue(QDBusVariant(QString())), 0u});
    std::optional<Window> note;
    ASSERT_TRUE(waitFor([&] { return (note = visibleAlert()).has_value(); })) << agent.log();
    screenshot("not-available-yet.png");
    xdotool({"key", "Return"});
    EXPECT_TRUE(waitFor([&] { return !visibleAlert().has_value(); }));
    (void)beforeNote;

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
