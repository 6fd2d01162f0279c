#include "control/CommandRunner.h"

#include "store/StoreLock.h"
#include "support/SwapWorld.h"

#include <gtest/gtest.h>

using namespace tessarin;
using tessarin::test::SwapWorld;

// The agent holds the store's lock for as long as it runs: the commands run over its open store and
// must neither wait for the lock nor fail on it. Which commands it runs and how each ends are the
// commands' own; here only what the runner decides.
TEST(CommandRunner, RunsTessarinctlCommandsOverTheAgentsOpenStore) {
    SwapWorld w;
    w.document("Home", {"Home", "Work"});
    StoreLock lock(w.paths.root, "tessarin");
    lock.acquire();
    SwitchSequence sequence(w.store, w.swapper, w.log, w.clock);
    CommandRunner runner(w.paths,
                         {w.log, w.clock, w.store, w.surface, w.swapper, sequence, w.sweeps, w.archiver});
    const auto sinks = w.log.sinkCount();

    struct Case {
        std::vector<std::string> args;
        int status;
    };
    const std::vector<Case> cases = {
        {{"new", "Trip", "--temporary"}, 0},
        {{"config"}, 2}, // opens the store the agent holds: not run here
        {{}, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.empty() ? std::string("(nothing)") : c.args.front());
        const CommandResult result = runner.run(c.args, false);
        EXPECT_EQ(result.status, c.status) << result.err;
        EXPECT_EQ(!result.err.empty(), c.status != 0) << result.err;
    }
    // A command's own transcript of the log leaves with the command: the agent's log runs for days.
    EXPECT_EQ(w.log.sinkCount(), sinks);
    const Config after = w.store.loadConfig();
    ASSERT_NE(after.findWorkspace("Trip"), nullptr);
    EXPECT_EQ(after.findWorkspace("Trip")->type, WorkspaceType::temporary);
    EXPECT_TRUE(std::filesystem::is_directory(w.folder("Trip")));
}
