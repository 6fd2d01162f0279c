#include "Session.h"

#include <gtest/gtest.h>

using namespace tessarin;
using namespace tessarin::e2e;

TEST(WorkspaceFollowing, ABoundWorkspaceBringsItsDesktopAndABurstOfChangesSwitchesOnce) {
    UserHome home;
    home.setUp("Home", {"Home", "Work"}, 1);
    showWorkspace(0);
    Agent agent(home);
    ASSERT_TRUE(agent.waitForLog("workspaces: ")) << agent.log(); // its triggers are set up
    EXPECT_TRUE(agent.logHas("workspaces: ewmh"));
    for (const auto& args : std::vector<std::vector<std::string>>{
             {"space", "Home", "1"}, {"space", "Work", "2"}, {"set", "followSpaces", "true"}})
        ASSERT_TRUE(ctlSucceeds(home, args));

    // The window manager shows workspace 2: its desktop comes up once the change has settled.
    showWorkspace(1);
    ASSERT_TRUE(waitFor([&] { return agent.logCount("switched Home → Work") == 1; })) << agent.log();
    EXPECT_EQ(UserHome::listing(home.desktop()), std::vector<std::string>{"Work 0.txt"});

    // Back and forth quickly, ending on workspace 1: one switch, to Home.
    for (const int index : {0, 1, 0, 1, 0})
        showWorkspace(index);
    ASSERT_TRUE(waitFor([&] { return agent.logCount("switched Work → Home") == 1; })) << agent.log();
    // Then workspace 2 again: any switch the burst still owed would have come before this one.
    showWorkspace(1);
    ASSERT_TRUE(waitFor([&] { return agent.logCount("switched Home → Work") == 2; })) << agent.log();
    EXPECT_EQ(agent.logCount("switched Work → Home"), 1u) << agent.log();
    EXPECT_EQ(home.document().activeWorkspace, "Work");
}
