#include "BusPeers.h"
#include "Session.h"
#include "support/Files.h"

#include <QElapsedTimer>
#include <QUrl>
#include <csignal>
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

TEST(FirstSwitchNote, WithoutAFileManagerXdgOpenOpensTheFolderOrTheAlertNamesIt) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    FileManager files; // there, but it shows nothing
    files.refuses = true;
    ASSERT_TRUE(bus.registerObject(QStringLiteral("/org/freedesktop/FileManager1"), &files,
                                   QDBusConnection::ExportAllSlots));
    ASSERT_TRUE(bus.registerService(QStringLiteral("org.freedesktop.FileManager1")));
    for (const bool xdgOpen : {true, false}) {
        UserHome home;
        home.setUp("Home", {"Home", "Work"}, 2, [](Config& d) { d.settings.shownFirstSwitchNote = false; });
        // xdg-open's handler for folders writes down the folder it was given.
        const std::filesystem::path apps = home.path() / ".local/share/applications";
        test::writeFile(apps / "record", "#!/bin/sh\nprintf '%s' \"$1\" > \"$HOME/opened.txt\"\n");
        std::filesystem::permissions(apps / "record", std::filesystem::perms::owner_all);
        test::writeFile(apps / "record.desktop",
                        "[Desktop Entry]\nType=Application\nName=Record\nExec=" + (apps / "record").string() +
                            " %f\nMimeType=inode/directory;\n");
        test::writeFile(home.path() / ".config/mimeapps.list",
                        "[Default Applications]\ninode/directory=record.desktop\n");
        Agent agent(home, "agent.log", xdgOpen ? Env{} : Env{{"PATH", "/nonexistent"}});
        ASSERT_TRUE(waitForAgentOnBus()) << agent.log();
        ASSERT_EQ(tessarinctl(home, {"switch", "Work"}).status, 0);
        std::optional<Window> note;
        ASSERT_TRUE(waitFor([&] { return (note = visibleAlert()).has_value(); })) << agent.log();
        xdotool({"windowactivate", "--sync", note->id, "key", "Tab", "space"}); // "Show Me the Folder"
        if (xdgOpen) {
            ASSERT_TRUE(waitFor([&] {
                return test::readFile(home.path() / "opened.txt") == home.store().string();
            })) << agent.log();
        } else {
            // Nothing opens it: the alert names the folder.
            std::optional<Window> unopened;
            ASSERT_TRUE(waitFor([&] { return (unopened = visibleAlert()) && unopened->id != note->id; }))
                << agent.log();
            screenshot("folder-not-opened.png");
            EXPECT_TRUE(
                agent.logHas("opening " + home.store().string() + " failed: xdg-open is not installed"));
            xdotool({"windowactivate", "--sync", unopened->id, "key", "Return"});
        }
        EXPECT_TRUE(waitFor([] { return !visibleAlert().has_value(); }));
        agent.signal(SIGTERM);
        ASSERT_TRUE(agent.waitForExit(std::chrono::seconds(10)).has_value());
    }
    EXPECT_TRUE(files.shown.isEmpty());
    bus.unregisterService(QStringLiteral("org.freedesktop.FileManager1"));
    bus.unregisterObject(QStringLiteral("/org/freedesktop/FileManager1"));
}

TEST(PinnedNameNote, TheAgentAndTessarinctlBothSayWhatStayedBehind) {
    UserHome home;
    home.setUp("Home", {"Home", "Work"}, 1, [](Config& c) {
        c.settings.pinnedFolders = {"Keep"};
        c.updateWorkspace("Work", [](Workspace& w) { w.files.push_back("Keep"); });
    });
    std::filesystem::create_directories(home.desktop() / "Keep");
    test::writeFile(home.folder("Work") / "Keep", "Work's own Keep");
    Agent agent(home);
    ASSERT_TRUE(waitForAgentOnBus()) << agent.log();

    const Output switched = tessarinctl(home, {"switch", "Work"});
    EXPECT_EQ(switched.status, 0) << switched.err;
    EXPECT_NE(switched.err.find("\u201cKeep\u201d stayed in its desktop's folder"), std::string::npos)
        << switched.err;
    EXPECT_TRUE(agent.waitForLog("switched Home → Work in"));
    EXPECT_TRUE(agent.logHas("1 pinned-name skips"));
    std::optional<Window> note;
    ASSERT_TRUE(waitFor([&] { return (note = visibleAlert()).has_value(); })) << agent.log();
    screenshot("pinned-name-note.png");
    EXPECT_TRUE(std::filesystem::is_directory(home.desktop() / "Keep"));
    EXPECT_TRUE(std::filesystem::is_regular_file(home.folder("Work") / "Keep"));
}

TEST(NewerDocument, AlertAndAReadOnlySession) {
    UserHome home;
    home.setUp("Home", {"Home", "Work"});
    // A document written by a newer version: same content, schema 2.
    std::string text = test::readFile(home.config());
    text.replace(text.find("\"schemaVersion\":1"), 17, "\"schemaVersion\":2");
    test::writeFile(home.config(), text);
    Agent agent(home);
    ASSERT_TRUE(waitForAgentOnBus()) << agent.log();
    EXPECT_TRUE(agent.waitForLog("config.json schema 2 > 1 — read-only session"));
    ASSERT_TRUE(waitFor([] { return visibleAlert().has_value(); })) << agent.log();
    screenshot("newer-document-alert.png");

    const Output switched = tessarinctl(home, {"switch", "Work"});
    EXPECT_EQ(switched.status, 4);
    EXPECT_NE(switched.err.find("newer version"), std::string::npos) << switched.err;
    // A forwarded command line is refused by the agent's read-only session as well.
    const Output created = tessarinctl(home, {"new", "Elsewhere"});
    EXPECT_EQ(created.status, 4);
    EXPECT_NE(created.err.find("newer version"), std::string::npos) << created.err;
    const Output status = tessarinctl(home, {"--json", "status"});
    EXPECT_EQ(status.status, 0);
    EXPECT_NE(status.out.find("\"readOnly\":true"), std::string::npos) << status.out;
    EXPECT_EQ(test::readFile(home.config()), text); // nothing written
    EXPECT_EQ(UserHome::listing(home.desktop()), (std::vector<std::string>{"Home 0.txt", "Home 1.txt"}));
}
