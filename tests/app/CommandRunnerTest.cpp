#include "control/CommandRunner.h"

#include "freedesktop/TrashFileService.h"
#include "organise/ScreenshotFilter.h"
#include "store/StoreLock.h"
#include "support/SwapWorld.h"

#include <gtest/gtest.h>

using namespace tessarin;
using tessarin::test::SwapWorld;

// The agent holds the store's lock for as long as it runs: the commands run over its open store and
// must neither wait for the lock nor fail on it.
TEST(CommandRunner, RunsTessarinctlCommandsOverTheAgentsOpenStore) {
    SwapWorld w;
    w.document("Home", {"Home", "Work"});
    StoreLock lock(w.paths.root, "tessarin");
    lock.acquire();
    Log log;
    SystemClock clock;
    SwitchSequence sequence(w.store, w.swapper, log, clock);
    TrashFileService files;
    Archiver archiver(w.store, w.paths, files, clock, log);
    ScreenshotFilter screenshots({}, w.paths.home, w.paths.desktop);
    DesktopSweeps sweeps(w.surface, w.store, log, screenshots);
    CommandRunner runner(w.paths, {log, clock, w.store, w.surface, w.swapper, sequence, sweeps, archiver});

    // The texts are the commands' own: here only where they go and how each command ends.
    struct Case {
        std::vector<std::string> args;
        bool json;
        int status;
        bool prints;
    };
    const std::vector<Case> cases = {
        {{"new", "Trip", "--temporary"}, false, 0, false},
        {{"new", "Trip"}, false, 1, false},
        {{"rename", "Trip", "Travel"}, false, 0, false},
        {{"rename", "Travel"}, false, 2, false},
        {{"get", "filterScreenshots"}, true, 0, true},
        {{"switch", "Work"}, false, 0, false},
        {{"tick"}, false, 0, true},
        {{"config"}, false, 2, false},
        {{}, false, 2, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.empty() ? std::string("(nothing)") : c.args.front());
        const CommandResult result = runner.run(c.args, c.json);
        EXPECT_EQ(result.status, c.status) << result.err;
        EXPECT_EQ(!result.out.empty(), c.prints) << result.out;
        EXPECT_EQ(!result.err.empty(), c.status != 0) << result.err;
    }
    // A command's own transcript of the log leaves with the command: the agent's log runs for days.
    EXPECT_EQ(log.sinkCount(), 0u);
    const Config after = w.store.loadConfig();
    ASSERT_NE(after.findWorkspace("Travel"), nullptr);
    EXPECT_EQ(after.findWorkspace("Travel")->type, WorkspaceType::temporary);
    EXPECT_EQ(after.activeWorkspace, "Work");
    EXPECT_TRUE(std::filesystem::is_directory(w.folder("Travel")));

    // A read-only agent refuses every change the same way tessarinctl does.
    sequence.setReadOnly(true);
    const CommandResult refused = runner.run({"new", "Other"}, false);
    EXPECT_EQ(refused.status, 4);
    EXPECT_EQ(w.store.loadConfig().findWorkspace("Other"), nullptr);
}
