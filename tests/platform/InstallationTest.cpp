#include "freedesktop/Installation.h"

#include "appimage/InstallLocation.h"
#include "freedesktop/AutostartEntry.h"
#include "freedesktop/TrashWatcher.h"
#include "support/Files.h"
#include "support/TempDir.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QStandardPaths>
#include <gtest/gtest.h>

namespace tessarin {
namespace {

namespace fs = std::filesystem;

fs::path executable(const fs::path& path) {
    test::writeFile(path, "#!/bin/sh\n");
    fs::permissions(path, fs::perms::owner_all);
    return path;
}

TEST(Installation, IsDecidedByWhereTheBinaryRuns) {
    test::TempDir root;
    const fs::path r = root.path();
    executable(r / "usr/bin/tessarin");
    test::writeFile(r / "usr/share/applications/com.orrinvale.Tessarin.desktop", "[Desktop Entry]\n");
    executable(r / "local/bin/tessarin");
    test::writeFile(r / "local/share/applications/com.orrinvale.Tessarin.desktop", "[Desktop Entry]\n");
    executable(r / "build/src/app/tessarin");
    executable(r / "dev/bin/tessarin"); // a bin folder without the desktop entry
    executable(r / "Downloads/Tessarin.AppImage");

    const struct {
        const char* name;
        fs::path executable;
        std::optional<std::string> appImage;
        InstallKind kind;
        RemovalStep removal;
    } cases[] = {
        {"package", r / "usr/bin/tessarin", std::nullopt, InstallKind::package, RemovalStep::removePackage},
        {"from source", r / "local/bin/tessarin", std::nullopt, InstallKind::prefix,
         RemovalStep::removeInstalledFiles},
        {"build tree", r / "build/src/app/tessarin", std::nullopt, InstallKind::development,
         RemovalStep::none},
        {"bin without entry", r / "dev/bin/tessarin", std::nullopt, InstallKind::development,
         RemovalStep::none},
        {"AppImage", r / "tmp/.mount_x/usr/bin/tessarin", (r / "Downloads/Tessarin.AppImage").string(),
         InstallKind::appImage, RemovalStep::revealProgram},
        {"APPIMAGE naming nothing", r / "build/src/app/tessarin", (r / "gone.AppImage").string(),
         InstallKind::development, RemovalStep::none},
        {"relative APPIMAGE", r / "build/src/app/tessarin", std::string("Tessarin.AppImage"),
         InstallKind::development, RemovalStep::none},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Installation found = Installation::detect({c.executable, c.appImage}, r / "usr");
        EXPECT_EQ(found.kind, c.kind);
        EXPECT_EQ(found.removalStep(), c.removal);
        EXPECT_EQ(found.installed(), c.kind != InstallKind::development);
    }
    EXPECT_EQ(Installation::detect({r / "local/bin/tessarin", std::nullopt}, r / "usr").agentProgram(),
              r / "local/bin/tessarin");
}

// The entry of an installed program passes the freedesktop validator, also for an AppImage path that
// needs quoting, and turning it off removes it; a development run writes nothing.
TEST(AutostartEntry, WrittenOnlyForAnInstalledProgramAndValid) {
    const bool haveValidator =
        !QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate")).isEmpty();
    const struct {
        const char* name;
        InstallKind kind;
        std::string program;
        bool writes;
    } cases[] = {
        {"package", InstallKind::package, "/usr", true},
        {"AppImage with awkward characters", InstallKind::appImage,
         "/home/ann/My Apps/Tess \"q\" $x 100%.AppImage", true},
        {"development run", InstallKind::development, "", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        test::TempDir config;
        Installation installation;
        installation.kind = c.kind;
        installation.prefix = c.program;
        installation.appImage = c.program;
        AutostartEntry entry(config.path(), installation);
        EXPECT_FALSE(entry.isOn());
        if (!c.writes) {
            EXPECT_THROW(entry.turnOn(), AutostartError);
            EXPECT_EQ(entry.unavailableReason(), AutostartEntry::notInstalledText);
            EXPECT_FALSE(fs::exists(config.path() / "autostart"));
            continue;
        }
        entry.turnOn();
        EXPECT_TRUE(entry.isOn());
        EXPECT_EQ(entry.path(), config.path() / "autostart/com.orrinvale.Tessarin.desktop");
        if (haveValidator) {
            QProcess validate;
            validate.start(QStringLiteral("desktop-file-validate"),
                           {QString::fromStdString(entry.path().string())});
            ASSERT_TRUE(validate.waitForFinished(10000));
            EXPECT_EQ(validate.exitCode(), 0) << validate.readAllStandardOutput().toStdString();
        }
        // A desktop that disabled the entry itself has it off.
        test::writeFile(entry.path(), test::readFile(entry.path()) + "Hidden=true\n");
        EXPECT_FALSE(entry.isOn());
        entry.turnOff();
        EXPECT_FALSE(fs::exists(entry.path()));
        EXPECT_NO_THROW(entry.turnOff());
    }
    // The Exec value undoes to the program's path under the desktop entry's quoting rules.
    EXPECT_EQ(desktopEntryExecArgument("/usr/bin/tessarin"), "/usr/bin/tessarin");
    EXPECT_EQ(desktopEntryExecArgument("/a b/\"c\"$\\"), "\"/a b/\\\\\"c\\\\\"\\\\$\\\\\\\\\"");
}

QCoreApplication& application() {
    static int argc = 1;
    static char name[] = "platform-core-tests";
    static char* argv[] = {name, nullptr};
    if (!QCoreApplication::instance())
        new QCoreApplication(argc, argv); // lives as long as the test program
    return *QCoreApplication::instance();
}

// Runs the event loop until `done` holds or two seconds pass.
bool eventually(const std::function<bool()>& done) {
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < 2000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    return done();
}

TEST(TrashWatcher, OnlyAMoveIntoATrashCounts) {
    application();
    const struct {
        const char* name;
        std::vector<std::string> moves; // successive new paths, relative to the home folder
        int trashed;
    } cases[] = {
        {"into the home Trash", {".local/share/Trash/files/Tessarin.AppImage"}, 1},
        {"into a volume's Trash", {".Trash-1000/files/Tessarin.AppImage"}, 1},
        {"to another folder", {"Applications/Tessarin.AppImage"}, 0},
        {"renamed in place, then trashed",
         {"Downloads/Old.AppImage", ".local/share/Trash/files/Old.AppImage"},
         1},
        {"trashed, then renamed within the Trash",
         {".local/share/Trash/files/Tessarin.AppImage", ".local/share/Trash/files/Tessarin.2.AppImage"},
         1},
        {"trashed, restored, trashed again",
         {".local/share/Trash/files/Tessarin.AppImage", "Applications/Tessarin.AppImage",
          ".local/share/Trash/files/Tessarin.AppImage"},
         2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        test::TempDir home;
        const fs::path program = executable(home.path() / "Downloads/Tessarin.AppImage");
        test::writeFile(home.path() / "Downloads/other.txt", "x");
        TrashWatcher watcher;
        int trashed = 0;
        QObject::connect(&watcher, &TrashWatcher::trashed, [&] { ++trashed; });
        watcher.start(program);
        ASSERT_TRUE(watcher.watching());
        // Another file of the folder moving into the Trash is not the program.
        fs::create_directories(home.path() / ".local/share/Trash/files");
        fs::rename(home.path() / "Downloads/other.txt", home.path() / ".local/share/Trash/files/other.txt");
        fs::path at = program;
        for (const auto& move : c.moves) {
            fs::create_directories((home.path() / move).parent_path());
            fs::rename(at, home.path() / move);
            at = home.path() / move;
            // Each move's event is queued by the time rename() returns: one pass of the loop reads it,
            // so every move is seen as its own batch.
            QCoreApplication::processEvents(QEventLoop::AllEvents, 100);
        }
        if (c.trashed > 0) {
            EXPECT_TRUE(eventually([&] { return trashed >= c.trashed; }));
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 100);
        EXPECT_EQ(trashed, c.trashed);
    }
}

TEST(InstallLocation, OnlyAnAppImageInDownloadsIsOfferedTheMove) {
    const fs::path home = "/home/ann";
    const struct {
        const char* name;
        InstallKind kind;
        fs::path appImage;
        InstallSituation situation;
    } cases[] = {
        {"in Downloads", InstallKind::appImage, home / "Downloads/Tessarin.AppImage",
         InstallSituation::inDownloads},
        {"in ~/Applications", InstallKind::appImage, home / "Applications/sub/Tessarin.AppImage",
         InstallSituation::fine},
        {"a Downloads look-alike", InstallKind::appImage, home / "Downloads2/Tessarin.AppImage",
         InstallSituation::fine},
        {"a package", InstallKind::package, {}, InstallSituation::fine},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Installation installation;
        installation.kind = c.kind;
        installation.appImage = c.appImage;
        EXPECT_EQ((InstallLocation{installation, home, home / "Downloads"}.situation()), c.situation);
    }
}

// Records what it was asked to trash, moving it aside as the Trash would.
class RecordingTrash : public LocalFileService {
public:
    explicit RecordingTrash(fs::path bin) : bin_(std::move(bin)) {}
    void trashItem(const fs::path& path) override {
        fs::create_directories(bin_);
        fs::rename(path, bin_ / path.filename());
        trashed.push_back(path);
    }
    std::vector<fs::path> trashed;

private:
    fs::path bin_;
};

TEST(InstallLocation, MoveTrashesAnOlderCopyAndTurnsAutostartOff) {
    test::TempDir home;
    const fs::path source = executable(home.path() / "Downloads/Tessarin.AppImage");
    test::writeFile(source, "new version");
    test::writeFile(home.path() / "Applications/Tessarin.AppImage", "old version");
    Installation installation;
    installation.kind = InstallKind::appImage;
    installation.appImage = source;
    RecordingTrash trash(home.path() / "trash");
    int autostartOff = 0;

    const fs::path moved =
        InstallLocation{installation, home.path(), home.path() / "Downloads"}.moveToApplications(
            trash, [&] { ++autostartOff; });

    EXPECT_EQ(moved, home.path() / "Applications/Tessarin.AppImage");
    EXPECT_EQ(test::readFile(moved), "new version");
    EXPECT_TRUE((fs::status(moved).permissions() & fs::perms::owner_exec) != fs::perms::none);
    EXPECT_FALSE(fs::exists(source));
    EXPECT_EQ(test::readFile(home.path() / "trash/Tessarin.AppImage"), "old version");
    EXPECT_EQ(autostartOff, 1);
}

} // namespace
} // namespace tessarin
