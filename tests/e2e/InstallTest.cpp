#include "Session.h"

#include <QCryptographicHash>
#include <gtest/gtest.h>

using namespace tessarin;
using namespace tessarin::e2e;
namespace fs = std::filesystem;

namespace {

// The build installed once into a prefix of its own, as `cmake --install --prefix` would for a user.
const fs::path& installedPrefix() {
    static test::TempDir folder;
    static const fs::path prefix = [] {
        const fs::path p = folder.path() / "prefix";
        const Output installed =
            run({"/usr/bin/cmake", "--install", TESSARIN_BUILD_DIR, "--prefix", p.string()});
        if (installed.status != 0)
            ADD_FAILURE() << installed.out << installed.err;
        return p;
    }();
    return prefix;
}

Output installedCtl(const UserHome& home, const std::vector<std::string>& args) {
    std::vector<std::string> argv = {(installedPrefix() / "bin/tessarinctl").string()};
    argv.insert(argv.end(), args.begin(), args.end());
    return run(argv, home.env());
}

// Every regular file under `root` (hidden store files and the agent's logs aside) as its name and a
// checksum of its content, with how often each occurs: equal maps mean every file is still there.
std::multiset<std::string> fileChecksums(const fs::path& root) {
    std::multiset<std::string> files;
    for (auto it = fs::recursive_directory_iterator(root); it != fs::recursive_directory_iterator(); ++it) {
        const std::string name = it->path().filename().string();
        if (it->is_directory() && (name == ".store" || name == ".config" || name == ".local")) {
            it.disable_recursion_pending();
            continue;
        }
        if (!it->is_regular_file() || name.ends_with(".log"))
            continue;
        const QByteArray bytes = QByteArray::fromStdString(test::readFile(it->path()));
        files.insert(name + " " +
                     QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex().toStdString());
    }
    return files;
}

// A stand-in for an AppImage: an executable that sets $APPIMAGE to its own path, as the AppImage
// runtime does, and runs the agent of the build.
fs::path fakeAppImage(const fs::path& path) {
    test::writeFile(path, "#!/bin/sh\nAPPIMAGE=\"$(readlink -f \"$0\")\" exec \"" +
                              std::string(TESSARIN_AGENT) + "\"\n");
    fs::permissions(path, fs::perms::owner_all);
    return path;
}

} // namespace

TEST(InstalledAgent, TurnsAutostartOnAndOffWhileADevelopmentRunRefuses) {
    UserHome home;
    home.setUp("Work", {"Work"}, 1);
    const fs::path entry = home.path() / ".config/autostart/com.orrinvale.Tessarin.desktop";
    {
        Agent agent(home, "installed.log", (installedPrefix() / "bin/tessarin").string(), {});
        ASSERT_TRUE(waitForAgentOnBus()) << agent.log();
        EXPECT_TRUE(
            agent.waitForLog("Updater: none (installed from source in " + installedPrefix().string() + ")"))
            << agent.log();
        const struct {
            std::vector<std::string> args;
            std::string out;
            bool entryAfter;
        } steps[] = {
            {{"autostart"}, "off\n", false},   {{"autostart", "on"}, "", true},
            {{"autostart"}, "on\n", true},     {{"autostart", "off"}, "", false},
            {{"autostart", "off"}, "", false},
        };
        for (const auto& step : steps) {
            SCOPED_TRACE(step.args.back());
            const Output out = installedCtl(home, step.args);
            EXPECT_EQ(out.status, 0) << out.err;
            EXPECT_EQ(out.out, step.out);
            EXPECT_EQ(fs::exists(entry), step.entryAfter);
            if (step.entryAfter) { // the entry starts the installed agent
                EXPECT_NE(test::readFile(entry).find("Exec=" + (installedPrefix() / "bin/tessarin").string() +
                                                     "\n"),
                          std::string::npos);
            }
        }
        agent.signal(SIGTERM);
        ASSERT_TRUE(agent.waitForExit(std::chrono::seconds(10)));
    }
    Agent development(home, "development.log");
    ASSERT_TRUE(waitForAgentOnBus()) << development.log();
    EXPECT_TRUE(development.waitForLog("Updater: none (development run)")) << development.log();
    EXPECT_EQ(tessarinctl(home, {"autostart", "on"}).status, 1);
    EXPECT_FALSE(fs::exists(entry));
}

TEST(Uninstall, EveryDesktopComesBackAndNoFileIsLost) {
    UserHome home;
    home.setUp("Work", {"Work", "Home", "Trip"}, 3, [](Config& c) {
        c.settings.pinnedFolders = {"Notes.txt"};
        c.updateWorkspace("Trip", [](Workspace& w) { w.state = WorkspaceState::archivedUnsorted; });
    });
    // Trip lives in the archive; the desktops hold nested folders too; Notes.txt is pinned.
    fs::create_directories(home.store() / "Archive");
    fs::rename(home.folder("Trip"), home.store() / "Archive/Trip 2026-12-01");
    test::writeFile(home.folder("Home") / "Photos/2026/beach.jpg", "jpeg bytes");
    test::writeFile(home.desktop() / "Project/src/main.cpp", "int main() {}");
    test::writeFile(home.desktop() / "Notes.txt", "pinned notes");
    test::writeFile(home.desktop() / "Home", "a file named like a desktop");

    Agent agent(home, "uninstall.log", (installedPrefix() / "bin/tessarin").string(), {});
    ASSERT_TRUE(waitForAgentOnBus()) << agent.log();
    // Hidden: Work's items go into its folder and the pinned item into the pinned stash.
    ASSERT_EQ(installedCtl(home, {"hide"}).status, 0);
    ASSERT_FALSE(fs::exists(home.desktop() / "Notes.txt"));
    ASSERT_EQ(installedCtl(home, {"autostart", "on"}).status, 0);
    test::writeFile(home.desktop() / "Home", "made while hidden");
    const auto before = fileChecksums(home.path());

    const Output asked = installedCtl(home, {"uninstall"});
    EXPECT_EQ(asked.status, 2);
    EXPECT_NE(
        asked.err.find("Archived desktops stay where they are (" + (home.store() / "Archive").string() + ")"),
        std::string::npos)
        << asked.err;
    EXPECT_EQ(fileChecksums(home.path()), before) << "asking changes nothing";

    const Output done = installedCtl(home, {"uninstall", "--yes"});
    ASSERT_EQ(done.status, 0) << done.err;
    EXPECT_NE(
        done.out.find("To finish, delete the files Tessarin installed under " + installedPrefix().string()),
        std::string::npos)
        << done.out;
    EXPECT_TRUE(agent.waitForExit(std::chrono::seconds(10)).has_value())
        << "the agent quits after handing back";

    EXPECT_EQ(fileChecksums(home.path()), before) << "every file is still there, unchanged";
    const struct {
        fs::path path;
        std::string content;
    } expected[] = {
        {"Work/Work 0.txt", "Work 0.txt"},
        {"Work/Project/src/main.cpp", "int main() {}"},
        {"Work/Home", "a file named like a desktop"},
        {"Home 2/Home 1.txt", "Home 1.txt"},
        {"Home 2/Photos/2026/beach.jpg", "jpeg bytes"},
        {"Home", "made while hidden"},
        {"Notes.txt", "pinned notes"},
    };
    for (const auto& e : expected)
        EXPECT_EQ(test::readFile(home.desktop() / e.path), e.content) << e.path;
    EXPECT_TRUE(fs::exists(home.store() / "Archive/Trip 2026-12-01/Trip 0.txt"));
    EXPECT_FALSE(fs::exists(home.path() / ".config/autostart/com.orrinvale.Tessarin.desktop"));
}

TEST(AppImage, MovedToTheTrashItOffersToBringTheDesktopsBack) {
    UserHome home;
    home.setUp("Work", {"Work", "Home"}, 2);
    const fs::path program = fakeAppImage(home.path() / "Applications/Tessarin.AppImage");
    Agent agent(home, "appimage.log", program.string(), {});
    ASSERT_TRUE(waitForAgentOnBus()) << agent.log();
    EXPECT_TRUE(agent.waitForLog("Updater: none (appimageupdatetool is not installed)")) << agent.log();
    EXPECT_FALSE(visibleAlert().has_value());

    // Moved elsewhere first: no offer.
    fs::create_directories(home.path() / "Apps");
    fs::rename(program, home.path() / "Apps/Tessarin.AppImage");
    const fs::path trash = home.path() / ".local/share/Trash/files";
    fs::create_directories(trash);
    fs::rename(home.path() / "Apps/Tessarin.AppImage", trash / "Tessarin.AppImage");

    const auto offer = waitForWindow(visibleAlert);
    ASSERT_TRUE(offer) << agent.log();
    EXPECT_EQ(agent.logCount("app bundle moved to the Trash"), 1u) << "offered once";
    screenshot("appimage-trashed-offer.png");
    keysIn(*offer, {"Return"}); // "Bring My Desktops Back", the default button
    EXPECT_TRUE(agent.waitForExit(std::chrono::seconds(10)).has_value()) << agent.log();
    EXPECT_EQ(test::readFile(home.desktop() / "Home/Home 1.txt"), "Home 1.txt");
}

TEST(AppImage, InDownloadsItOffersToMoveAndReopensFromApplications) {
    UserHome home;
    home.setUp("Work", {"Work"}, 1);
    const fs::path program = fakeAppImage(home.path() / "Downloads/Tessarin.AppImage");
    test::writeFile(home.path() / ".config/user-dirs.dirs", "XDG_DOWNLOAD_DIR=\"$HOME/Downloads\"\n");
    Agent agent(home, "relocate.log", program.string(), {});
    ASSERT_TRUE(waitForAgentOnBus()) << agent.log();
    const pid_t first = *agentPidOnBus();

    const auto offer = waitForWindow([] { return visibleWindowNamed("Move Tessarin"); });
    ASSERT_TRUE(offer) << agent.log();
    screenshot("appimage-move-offer.png");
    keysIn(*offer, {"Return"}); // "Move to ~/Applications", the default button

    const fs::path moved = home.path() / "Applications/Tessarin.AppImage";
    ASSERT_TRUE(waitFor([&] { return fs::exists(moved); })) << agent.log();
    EXPECT_FALSE(fs::exists(program));
    EXPECT_TRUE(agent.waitForExit(std::chrono::seconds(10)).has_value());
    ASSERT_TRUE(
        waitFor([&] { return agentPidOnBus() && *agentPidOnBus() != first; }, std::chrono::seconds(15)))
        << agent.log();
    EXPECT_TRUE(agent.logHas("relocated to " + moved.string() + " — relaunching")) << agent.log();
    // The copy that reopened runs from its new home: no offer any more.
    const pid_t reopened = *agentPidOnBus();
    EXPECT_FALSE(visibleWindowNamed("Move Tessarin").has_value());
    ::kill(reopened, SIGTERM);
    EXPECT_TRUE(waitFor([] { return !agentOnBus(); }));
}

TEST(InstalledAgent, TessarinctlStartsItThroughTheSessionBus) {
    // The session's own home: the bus starts the agent with its own environment.
    const Env session = {{"HOME", qEnvironmentVariable("HOME").toStdString()}};
    const std::string ctl = (installedPrefix() / "bin/tessarinctl").string();
    const Output without = run({ctl, "start"}, session);
    EXPECT_EQ(without.status, 1);
    EXPECT_NE(without.err.find("its service file isn't installed"), std::string::npos) << without.err;

    const fs::path services = qEnvironmentVariable("XDG_DATA_HOME").toStdString() + "/dbus-1/services";
    fs::create_directories(services);
    fs::copy_file(installedPrefix() / "share/dbus-1/services/com.orrinvale.Tessarin.service",
                  services / "com.orrinvale.Tessarin.service");
    const Output started = run({ctl, "start"}, session);
    ASSERT_EQ(started.status, 0) << started.err;
    ASSERT_TRUE(agentPidOnBus().has_value());
    const pid_t agent = *agentPidOnBus();
    EXPECT_EQ(run({ctl, "start"}, session).out, "Tessarin is already running.\n");
    EXPECT_EQ(run({ctl, "status"}, session).status, 0);
    fs::remove(services / "com.orrinvale.Tessarin.service");
    ::kill(agent, SIGTERM);
    EXPECT_TRUE(waitFor([] { return !agentOnBus(); }));
}
