#include "Session.h"
#include "support/CustomRules.h"
#include "support/Files.h"

#include <gtest/gtest.h>

using namespace tessarin;
using namespace tessarin::e2e;
namespace fs = std::filesystem;

namespace {

// Saves a file onto the Desktop; whether the rules swept it into `folder` within 3 s.
bool sweptOnceSaved(const UserHome& home, const std::string& name, const std::string& folder) {
    test::writeFile(home.desktop() / name, "saved by a user");
    return waitFor([&] { return fs::exists(home.folder(folder) / name); }, std::chrono::seconds(3));
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

    EXPECT_TRUE(sweptOnceSaved(home, "invoice-march.txt", "Bills")) << agent.log();

    // The switch brings a matching file onto the Desktop. Its moves are no user's changes: the watcher
    // would sweep 0.4 s after them, and the first-switch note comes a second after the switch.
    ASSERT_TRUE(ctlSucceeds(home, {"switch", "Trip"}));
    ASSERT_TRUE(waitForWindow(visibleAlert)) << agent.log();
    EXPECT_TRUE(fs::exists(home.desktop() / "invoice-hotel.txt"));

    // The next file saved by the user is swept, and the rule takes the other one along.
    EXPECT_TRUE(sweptOnceSaved(home, "invoice-april.txt", "Bills")) << agent.log();
    EXPECT_TRUE(fs::exists(home.folder("Bills") / "invoice-hotel.txt"));

    // A Desktop folder replaced by a new one is watched as soon as it is there.
    fs::rename(home.desktop(), home.path() / "Desktop before");
    fs::create_directory(home.desktop());
    EXPECT_TRUE(sweptOnceSaved(home, "invoice-may.txt", "Bills")) << agent.log();
}
