#include "WaitFor.h"
#include "freedesktop/SyncFolders.h"
#include "freedesktop/WakeMonitor.h"
#include "support/TempHome.h"
#include "tray/DBusMenuExporter.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <gtest/gtest.h>

using namespace tessarin;
using tessarin::test::waitFor;

namespace {

// A second connection to the test's private bus, standing in for another process.
QDBusConnection otherConnection(const QString& name) {
    return QDBusConnection::connectToBus(QDBusConnection::SessionBus, name);
}

void emitPrepareForSleep(QDBusConnection& from, bool start) {
    QDBusMessage signal = QDBusMessage::createSignal(QString::fromLatin1(WakeMonitor::path),
                                                     QString::fromLatin1(WakeMonitor::interface),
                                                     QStringLiteral("PrepareForSleep"));
    signal << start;
    from.send(signal);
}

} // namespace

TEST(WakeMonitor, TicksWhenLogindReportsTheWake) {
    // The test's private bus plays the system bus; one connection plays logind, one an impostor.
    QDBusConnection logind = otherConnection(QStringLiteral("logind"));
    ASSERT_TRUE(logind.isConnected());
    ASSERT_TRUE(logind.registerService(QString::fromLatin1(WakeMonitor::service)));
    QDBusConnection impostor = otherConnection(QStringLiteral("impostor"));

    int wakes = 0;
    WakeMonitor monitor(QDBusConnection::sessionBus(), [&] { ++wakes; });
    ASSERT_TRUE(monitor.listening());

    emitPrepareForSleep(logind, true); // going to sleep: no tick
    emitPrepareForSleep(impostor, false);
    emitPrepareForSleep(logind, false); // woke up
    ASSERT_TRUE(waitFor([&] { return wakes >= 1; }));
    emitPrepareForSleep(logind, false);
    ASSERT_TRUE(waitFor([&] { return wakes >= 2; }));
    EXPECT_EQ(wakes, 2);

    WakeMonitor nowhere(QDBusConnection(QStringLiteral("not connected")), [] {});
    EXPECT_FALSE(nowhere.listening());
    QDBusConnection::disconnectFromBus(QStringLiteral("logind"));
    QDBusConnection::disconnectFromBus(QStringLiteral("impostor"));
}

TEST(DBusMenuExporter, LayoutPropertiesAndClicks) {
    DBusMenuExporter exporter(QDBusConnection::sessionBus());
    EXPECT_TRUE(exporter.exported());
    StatusMenuModel model;
    StatusMenuEntry a;
    a.title = "my_desk";
    a.command = MenuCommand::switchWorkspace;
    a.workspace = "my_desk";
    a.checked = true;
    StatusMenuEntry sep;
    sep.separator = true;
    StatusMenuEntry count;
    count.title = "Unsorted desktops: 2";
    count.enabled = false;
    StatusMenuEntry quit;
    quit.title = "Quit";
    quit.command = MenuCommand::quit;
    model.entries = {a, sep, count, quit};
    exporter.setModel(model);
    const uint first = exporter.revision();
    exporter.setModel(model);
    EXPECT_EQ(exporter.revision(), first); // an unchanged menu is not a new revision

    const auto root = exporter.layout(0, -1, {});
    ASSERT_EQ(root.children.size(), 4);
    EXPECT_EQ(root.children[0].id, 1); // its label and check state: read by the panel test
    EXPECT_EQ(root.children[1].properties.value("type").toString(), QStringLiteral("separator"));
    EXPECT_FALSE(root.children[2].properties.value("enabled").toBool());
    EXPECT_FALSE(root.children[3].properties.contains("toggle-type"));
    EXPECT_TRUE(exporter.layout(0, 0, {}).children.isEmpty());
    EXPECT_EQ(exporter.layout(0, 1, {QStringLiteral("label")}).children[1].properties.size(), 0);

    std::vector<std::string> chosen;
    QObject::connect(&exporter, &DBusMenuExporter::entryChosen,
                     [&](const StatusMenuEntry& e) { chosen.push_back(e.title); });
    EXPECT_TRUE(exporter.handleEvent(1, QStringLiteral("clicked")));
    EXPECT_TRUE(exporter.handleEvent(3, QStringLiteral("clicked"))); // disabled: nothing
    EXPECT_TRUE(exporter.handleEvent(4, QStringLiteral("hovered")));
    EXPECT_FALSE(exporter.handleEvent(9, QStringLiteral("clicked")));
    EXPECT_EQ(chosen, (std::vector<std::string>{"my_desk"}));
}

TEST(SyncFolders, FindsTheClientThatSyncsTheDesktop) {
    struct Case {
        const char* what;
        std::function<void(const std::filesystem::path& home)> setUp;
        std::string desktop; // relative to home
        std::optional<std::string> client;
    };
    using tessarin::test::writeFile;
    const std::vector<Case> cases = {
        {"nothing synced", [](const auto&) {}, "Desktop", std::nullopt},
        {"Nextcloud account folder holding the Desktop",
         [](const auto& h) {
             writeFile(h / ".config/Nextcloud/nextcloud.cfg",
                       "[Accounts]\n0\\Folders\\1\\localPath=" + (h / "Cloud").string() + "/\n");
             std::filesystem::create_directories(h / "Cloud/Desktop");
         },
         "Cloud/Desktop", "Nextcloud"},
        {"Nextcloud syncing elsewhere",
         [](const auto& h) {
             writeFile(h / ".config/Nextcloud/nextcloud.cfg",
                       "0\\Folders\\1\\localPath=" + (h / "Cloud").string() + "\n");
             std::filesystem::create_directories(h / "Cloud");
         },
         "Desktop", std::nullopt},
        {"Dropbox folder",
         [](const auto& h) {
             writeFile(h / ".dropbox/info.json",
                       R"({"personal": {"path": ")" + (h / "Dropbox").string() + R"("}})");
             std::filesystem::create_directories(h / "Dropbox/Desktop");
         },
         "Dropbox/Desktop", "Dropbox"},
        {"a Desktop that is a link into MEGA",
         [](const auto& h) {
             std::filesystem::create_directories(h / "MEGA/Desk");
             std::filesystem::create_directory_symlink(h / "MEGA/Desk", h / "Desktop");
         },
         "Desktop", "MEGA"},
        {"a folder merely named like a client's",
         [](const auto& h) { std::filesystem::create_directories(h / "MEGAstuff/Desktop"); },
         "MEGAstuff/Desktop", std::nullopt},
    };
    for (const auto& c : cases) {
        tessarin::test::TempHome home;
        c.setUp(home.path());
        std::filesystem::create_directories(home.path() / c.desktop);
        const auto found = syncClientOfDesktop(home.path() / c.desktop, home.path(), home.path() / ".config");
        EXPECT_EQ(found ? std::optional(found->client) : std::nullopt, c.client) << c.what;
    }
}
