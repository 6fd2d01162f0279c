#include "Session.h"
#include "support/CustomRules.h"
#include "support/Files.h"

#include <QElapsedTimer>
#include <gtest/gtest.h>

using namespace tessarin;
using namespace tessarin::e2e;
namespace fs = std::filesystem;

namespace {

// Saves a file onto the Desktop and waits for the rules to sweep it into `folder`; the milliseconds it
// took, or -1 when it was not swept within 3 s.
qint64 saveAndWaitForSweep(const UserHome& home, const std::string& name, const std::string& folder) {
    QElapsedTimer timer;
    timer.start();
    test::writeFile(home.desktop() / name, "saved by a user");
    if (!waitFor([&] { return fs::exists(home.folder(folder) / name); }, std::chrono::seconds(3)))
        return -1;
    return timer.elapsed();
}

} // namespace

TEST(DesktopWatcher, RulesSweepFilesSavedOntoTheDesktopButNotTheItemsASwitchBrings) {
    UserHome home;
    home.setUp("Home", {"Home", "Trip", "Bills"}, 1, [](Config& c) {
        c.settings.shownFirstSwitchNote = false; // its alert, a second after the switch, is the test's clock
        c.settings.customFiltersEnabled = true;
        c.settings.customFiltersWatch = true;
        c.settings.customFilters = {test::rule("invoice", "Bills")};
        c.updateWorkspace("Trip", [](Workspace& w) { w.files.push_back("invoice-hotel.txt"); });
    });
    test::writeFile(home.folder("Trip") / "invoice-hotel.txt", "brought by the switch");
    Agent agent(home);
    ASSERT_TRUE(agent.waitForLog("workspaces: ")) << agent.log(); // its triggers are set up

    const qint64 first = saveAndWaitForSweep(home, "invoice-march.txt", "Bills");
    EXPECT_GE(first, 0) << agent.log();
    EXPECT_LT(first, 1000);

    // The switch brings a matching file onto the Desktop. Its moves are no user's changes: the watcher
    // would sweep 0.4 s after them, and the first-switch note comes a second after the switch.
    ASSERT_EQ(tessarinctl(home, {"switch", "Trip"}).status, 0);
    ASSERT_TRUE(waitFor([] { return visibleAlert().has_value(); })) << agent.log();
    EXPECT_TRUE(fs::exists(home.desktop() / "invoice-hotel.txt"));

    // The next file saved by the user is swept, and the rule takes the other one along.
    const qint64 second = saveAndWaitForSweep(home, "invoice-april.txt", "Bills");
    EXPECT_GE(second, 0) << agent.log();
    EXPECT_LT(second, 1000);
    EXPECT_TRUE(fs::exists(home.folder("Bills") / "invoice-hotel.txt"));

    // A Desktop folder replaced by a new one is watched as soon as it is there.
    fs::rename(home.desktop(), home.path() / "Desktop before");
    fs::create_directory(home.desktop());
    const qint64 third = saveAndWaitForSweep(home, "invoice-may.txt", "Bills");
    EXPECT_GE(third, 0) << agent.log();
    EXPECT_LT(third, 1000);
}
