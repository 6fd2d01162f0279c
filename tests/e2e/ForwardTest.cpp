#include "Session.h"

#include <gtest/gtest.h>

using namespace tessarin;
using namespace tessarin::e2e;

namespace {

// The text with the home folder's path written as "HOME", so two homes' outputs compare.
std::string withoutHome(std::string text, const UserHome& home) {
    const std::string path = home.path().string();
    for (size_t at = text.find(path); at != std::string::npos; at = text.find(path, at))
        text.replace(at, path.size(), "HOME");
    return text;
}

} // namespace

TEST(Forwarding, TheAgentRunsStoreCommandsAsTessarinctlDoesInItsOwnProcess) {
    // Two equal homes: the agent runs in one, and tessarinctl works on the other in its own process (the
    // agent manages another store there, so nothing is forwarded).
    UserHome viaAgent;
    UserHome inProcess;
    for (UserHome* home : {&viaAgent, &inProcess}) {
        home->setUp("Home", {"Home", "Work"}, 1);
        std::filesystem::create_directories(home->folder("Found"));
        test::writeFile(home->desktop() / "Screenshot 2026-12-06 at 10.00.00.png", "png");
    }
    Agent agent(viaAgent);
    ASSERT_TRUE(waitForAgentOnBus()) << agent.log();

    struct Step {
        std::vector<std::string> args;
        int status;
        bool sameText = true; // false where the output holds fresh identifiers
    };
    const std::vector<Step> steps = {
        {{"new", "X", "--temporary"}, 0},
        {{"new", "X"}, 1},
        {{"rename", "X", "Y"}, 0},
        {{"rename", "Nowhere", "Z"}, 1},
        {{"rename", "Y"}, 2},
        {{"order", "Y", "Home", "Work"}, 0},
        {{"type", "Work", "temporary"}, 0},
        {{"pin", "Home 0.txt"}, 0},
        {{"unpin", "Home 0.txt"}, 0},
        {{"set", "filterScreenshots", "true"}, 0},
        {{"set", "screenshotFilenameFallback", "true"}, 0},
        {{"--json", "get", "filterScreenshots"}, 0},
        {{"sort-now"}, 0},
        {{"archive", "Y"}, 0},
        {{"restore", "Y"}, 0},
        {{"archive", "Home"}, 1},
        {{"pour", "Y", "Home"}, 0},
        {{"delete", "Work"}, 0},
        {{"delete", "Home"}, 1},
        {{"tick"}, 0},
        {{"--json", "cleanups"}, 0, false},
        {{"filter", "list"}, 0},
        {{"adopt", "Found"}, 0},
        {{"--json", "status"}, 0},
    };
    for (const auto& step : steps) {
        std::string line;
        for (const auto& a : step.args)
            line += a + " ";
        SCOPED_TRACE(line);
        const Output forwarded = tessarinctl(viaAgent, step.args);
        const Output own = tessarinctl(inProcess, step.args);
        EXPECT_EQ(forwarded.status, step.status) << forwarded.err;
        EXPECT_EQ(own.status, step.status) << own.err;
        if (step.sameText) {
            EXPECT_EQ(withoutHome(forwarded.out, viaAgent), withoutHome(own.out, inProcess));
            EXPECT_EQ(withoutHome(forwarded.err, viaAgent), withoutHome(own.err, inProcess));
        }
    }
    for (const auto* folder : {"Home", "Screenshots", "Found", "Y"})
        EXPECT_EQ(UserHome::listing(viaAgent.folder(folder)), UserHome::listing(inProcess.folder(folder)))
            << folder;
    EXPECT_EQ(UserHome::listing(viaAgent.desktop()), UserHome::listing(inProcess.desktop()));
    EXPECT_EQ(UserHome::listing(viaAgent.folder("Screenshots")),
              std::vector<std::string>{"Screenshot 2026-12-06 at 10.00.00.png"});
    EXPECT_TRUE(agent.running());
}

TEST(AgentTimers, TheLaunchArchivesATemporaryDesktopWhoseTimerRanOut) {
    UserHome home;
    home.setUp("Home", {"Home", "Trip", "Later"}, 1, [](Config& c) {
        const Date longAgo =
            Date::fromTimePoint(std::chrono::system_clock::now()).addingSeconds(-10 * 86'400.0);
        for (const auto* name : {"Trip", "Later"})
            c.updateWorkspace(name, [&](Workspace& w) {
                w.type = WorkspaceType::temporary;
                w.createdAt = longAgo;
                w.timer = ArchiveTimer{ArchiveTimerMode::fixed, std::string(name) == "Trip" ? 3 : 30};
            });
    });
    Agent agent(home);
    ASSERT_TRUE(waitForAgentOnBus()) << agent.log();

    const Output status = tessarinctl(home, {"--json", "status"});
    ASSERT_EQ(status.status, 0) << status.err;
    EXPECT_NE(status.out.find("\"archived\":[\"Trip\"]"), std::string::npos) << status.out;
    const Config after = home.document();
    EXPECT_NE(after.findWorkspace("Trip")->state, WorkspaceState::active);
    EXPECT_EQ(after.findWorkspace("Later")->state, WorkspaceState::active);
    EXPECT_FALSE(std::filesystem::exists(home.folder("Trip")));
    EXPECT_TRUE(std::filesystem::exists(home.folder("Later") / "Later 0.txt"));
}
