#include "BusPeers.h"
#include "Session.h"
#include "support/Files.h"

#include <QUrl>
#include <csignal>
#include <gtest/gtest.h>

using namespace tessarin;
using namespace tessarin::e2e;

TEST(FirstSwitchNote, ComesOnceAfterTheFirstSwitchAndShowsTheFolder) {
    FileManager files;
    const Served served(&files, "/org/freedesktop/FileManager1", "org.freedesktop.FileManager1");
    ASSERT_TRUE(served.ok());
    UserHome home;
    home.setUp("Home", {"Home", "Work"}, 2, [](Config& c) { c.settings.shownFirstSwitchNote = false; });
    Agent agent(home);
    ASSERT_TRUE(waitForAgentOnBus()) << agent.log();

    ASSERT_TRUE(ctlSucceeds(home, {"switch", "Work"}));
    EXPECT_TRUE(home.document().settings.shownFirstSwitchNote);
    const auto note = waitForWindow(visibleAlert);
    ASSERT_TRUE(note) << agent.log();
    screenshot("first-switch-note.png");

    // "Show Me the Folder", the second button, opens the store in the file manager.
    keysIn(*note, {"Tab", "space"});
    ASSERT_TRUE(waitFor([&] { return !files.shown.isEmpty(); })) << agent.log();
    EXPECT_EQ(files.shown.front(),
              QUrl::fromLocalFile(QString::fromStdString(home.store().string())).toString());
    EXPECT_TRUE(waitForNoWindow(visibleAlert));
}

TEST(FirstSwitchNote, WithoutAFileManagerXdgOpenOpensTheFolderOrTheAlertNamesIt) {
    FileManager files; // there, but it shows nothing
    files.refuses = true;
    const Served served(&files, "/org/freedesktop/FileManager1", "org.freedesktop.FileManager1");
    ASSERT_TRUE(served.ok());
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
        ASSERT_TRUE(ctlSucceeds(home, {"switch", "Work"}));
        const auto note = waitForWindow(visibleAlert);
        ASSERT_TRUE(note) << agent.log();
        keysIn(*note, {"Tab", "space"}); // "Show Me the Folder"
        if (xdgOpen) {
            ASSERT_TRUE(waitFor([&] {
                return test::readFile(home.path() / "opened.txt") == home.store().string();
            })) << agent.log();
        } else {
            // Nothing opens it: the alert names the folder.
            const auto unopened = waitForWindow([&] {
                const auto alert = visibleAlert();
                return alert && alert->id != note->id ? alert : std::nullopt;
            });
            ASSERT_TRUE(unopened) << agent.log();
            screenshot("folder-not-opened.png");
            EXPECT_TRUE(
                agent.logHas("opening " + home.store().string() + " failed: xdg-open is not installed"));
            keysIn(*unopened, {"Return"});
        }
        EXPECT_TRUE(waitForNoWindow(visibleAlert));
        agent.signal(SIGTERM);
        ASSERT_TRUE(agent.waitForExit(std::chrono::seconds(10)).has_value());
    }
    EXPECT_TRUE(files.shown.isEmpty());
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
    EXPECT_NE(switched.err.find("\u201cKeep\u201d"), std::string::npos) << switched.err;
    EXPECT_TRUE(agent.waitForLog("switched Home → Work in"));
    EXPECT_TRUE(agent.logHas("1 pinned-name skips"));
    ASSERT_TRUE(waitForWindow(visibleAlert)) << agent.log();
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
    ASSERT_TRUE(waitForWindow(visibleAlert)) << agent.log();
    screenshot("newer-document-alert.png");

    // A switch and a forwarded command line are refused by the agent's read-only session alike.
    EXPECT_EQ(tessarinctl(home, {"switch", "Work"}).status, 4);
    EXPECT_EQ(tessarinctl(home, {"new", "Elsewhere"}).status, 4);
    const Output status = tessarinctl(home, {"--json", "status"});
    EXPECT_EQ(status.status, 0);
    EXPECT_NE(status.out.find("\"readOnly\":true"), std::string::npos) << status.out;
    EXPECT_EQ(test::readFile(home.config()), text); // nothing written
    EXPECT_EQ(UserHome::listing(home.desktop()), (std::vector<std::string>{"Home 0.txt", "Home 1.txt"}));
}
