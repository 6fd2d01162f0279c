#include "install/Updater.h"

#include "Dialogs.h"
#include "WaitFor.h"
#include "support/Files.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace tessarin {
namespace {

namespace fs = std::filesystem;

// An updater program with appimageupdatetool's command line: --check-for-update exits 1 (an update
// is available) and --overwrite writes the new version over the AppImage, logging each call.
fs::path fakeUpdateTool(const fs::path& folder) {
    const fs::path tool = folder / "appimageupdatetool";
    test::writeFile(tool, "#!/bin/sh\n"
                          "echo \"$1\" >> \"" +
                              (folder / "calls").string() +
                              "\"\n"
                              "case \"$1\" in\n"
                              "  --check-for-update) exit 1 ;;\n"
                              "  --overwrite) printf 'version 2' > \"$2\"; exit 0 ;;\n"
                              "esac\n"
                              "exit 2\n");
    fs::permissions(tool, fs::perms::owner_all);
    return tool;
}

// An update found while a switch runs waits until the switch is over, then installs and reopens.
TEST(Updater, AnUpdateWaitsForTheSwitchToEndThenReopens) {
    test::TempDir folder;
    const fs::path appImage = folder.path() / "Tessarin.AppImage";
    test::writeFile(appImage, "version 1");
    Installation installation;
    installation.kind = InstallKind::appImage;
    installation.appImage = appImage;
    UpdaterCoordinator coordinator([](const char*) {});
    bool busy = true;
    int busyAsked = 0;
    coordinator.start([&] {
        ++busyAsked;
        return busy;
    });
    Alerts alerts;
    std::vector<fs::path> relaunched;
    Updater updater({installation, coordinator, alerts, [](const std::string&) {},
                     [&](const fs::path& program) { relaunched.push_back(program); }},
                    fakeUpdateTool(folder.path()));
    ASSERT_TRUE(updater.offersUpdates());
    EXPECT_EQ(updater.description(), "appimageupdatetool");

    updater.checkForUpdates();
    QMessageBox* offer = nullptr;
    ASSERT_TRUE(test::waitFor([&] { return (offer = test::openDialog()); }));
    EXPECT_TRUE(offer->text().startsWith(QStringLiteral("A new version of Tessarin is available")));
    test::answer(offer, QStringLiteral("Install and Reopen"));

    // Postponed: the updater asks again and installs nothing while the switch runs.
    const int askedAtOffer = busyAsked;
    ASSERT_TRUE(test::waitFor([&] { return busyAsked > askedAtOffer; }));
    EXPECT_EQ(test::readFile(appImage), "version 1");
    EXPECT_FALSE(coordinator.installBegun());

    busy = false;
    ASSERT_TRUE(test::waitFor([&] { return !relaunched.empty(); }));
    EXPECT_EQ(relaunched, std::vector<fs::path>{appImage});
    EXPECT_EQ(test::readFile(appImage), "version 2");
    EXPECT_TRUE(coordinator.installBegun());
    EXPECT_EQ(test::readFile(folder.path() / "calls"), "--check-for-update\n--overwrite\n");
}

// A package is updated by the package manager, even with the tool at hand; the launch log says so (the
// installed agent's launch logs the other kinds).
TEST(Updater, APackageIsLeftToThePackageManager) {
    UpdaterCoordinator coordinator([](const char*) {});
    Alerts alerts;
    Installation installation;
    installation.kind = InstallKind::package;
    const Updater updater(
        {installation, coordinator, alerts, [](const std::string&) {}, [](const fs::path&) {}},
        fs::path("/usr/bin/true"));
    EXPECT_FALSE(updater.offersUpdates());
    EXPECT_EQ(updater.description(), "package manager");
}

} // namespace
} // namespace tessarin
