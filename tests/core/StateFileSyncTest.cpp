// A state file replaces the old one only once its content is on disk, and its folder is flushed after
// the rename, so a power loss leaves the old file or the new one, never an empty one. Checked on the
// system calls a real switch through tessarinctl makes, seen by a preloaded tracer.
#include "support/World.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <sstream>

using namespace tessarin;
using test::World;
namespace fs = std::filesystem;

TEST(StateFiles, EachIsFlushedBeforeItReplacesTheOldOneAndItsFolderAfter) {
    World w;
    w.document("A", {"A", "B"});
    w.item(w.paths.desktop, "a1");
    w.item(w.folder("B"), "b1");
    const fs::path log = w.home / "sync-trace.log";
    auto env = w.env;
    env["LD_PRELOAD"] = TESSARIN_SYNC_TRACE;
    env["TESSARIN_SYNC_TRACE_LOG"] = log.string();
    ASSERT_EQ(test::run(World::argv({"switch", "B"}), env).status, 0);

    std::vector<std::string> calls; // "fsync\tPATH" or "rename\tFROM\tTO"
    std::istringstream lines(test::readFile(log));
    for (std::string line; std::getline(lines, line);)
        calls.push_back(line);
    const std::string renamed = "rename\t";
    for (const fs::path& target : {w.paths.config, w.paths.journal}) {
        SCOPED_TRACE(target.filename().string());
        const std::string folder = fs::canonical(target.parent_path()).string();
        const std::string file = (fs::path(folder) / target.filename()).string();
        int replaced = 0;
        auto since = calls.begin(); // the calls after the previous replacement of this file
        for (auto call = calls.begin(); call != calls.end(); ++call) {
            const std::size_t tab = call->find('\t', renamed.size());
            if (!call->starts_with(renamed) || tab == std::string::npos ||
                fs::weakly_canonical(call->substr(tab + 1)).string() != file)
                continue;
            ++replaced;
            const std::string temp =
                fs::weakly_canonical(call->substr(renamed.size(), tab - renamed.size())).string();
            EXPECT_NE(std::find(since, call, "fsync\t" + temp), call)
                << temp << " renamed into place without an fsync";
            EXPECT_NE(std::find(call + 1, calls.end(), "fsync\t" + folder), calls.end())
                << "the folder is not flushed after the rename";
            since = call + 1;
        }
        EXPECT_GE(replaced, 1) << "no save of this file was seen";
    }
}
