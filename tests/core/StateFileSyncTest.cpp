// A state file replaces the old one only once its content is on disk, and its folder is flushed after
// the rename, so a power loss leaves the old file or the new one, never an empty one. Checked on the
// system calls a real switch through tessarinctl makes, seen by a preloaded tracer.
#include "support/World.h"

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

    std::vector<std::vector<std::string>> calls;
    std::istringstream lines(test::readFile(log));
    for (std::string line; std::getline(lines, line);) {
        std::vector<std::string> fields;
        std::istringstream split(line);
        for (std::string field; std::getline(split, field, '\t');)
            fields.push_back(field);
        calls.push_back(fields);
    }
    for (const fs::path& target : {w.paths.config, w.paths.journal}) {
        SCOPED_TRACE(target.filename().string());
        const std::string folder = fs::canonical(target.parent_path()).string();
        const std::string file = (fs::path(folder) / target.filename()).string();
        int replaced = 0;
        std::size_t since = 0; // the calls after the previous replacement of this file
        for (std::size_t i = 0; i < calls.size(); ++i) {
            const auto& call = calls[i];
            if (call.size() != 3 || call[0] != "rename" || fs::weakly_canonical(call[2]).string() != file)
                continue;
            ++replaced;
            const std::string temp = fs::weakly_canonical(call[1]).string();
            bool flushed = false;
            for (std::size_t j = since; j < i; ++j)
                flushed = flushed || calls[j] == std::vector<std::string>{"fsync", temp};
            EXPECT_TRUE(flushed) << temp << " renamed into place without an fsync";
            bool folderFlushed = false;
            for (std::size_t j = i + 1; j < calls.size(); ++j)
                folderFlushed = folderFlushed || calls[j] == std::vector<std::string>{"fsync", folder};
            EXPECT_TRUE(folderFlushed) << "the folder is not flushed after the rename";
            since = i + 1;
        }
        EXPECT_GE(replaced, 1) << "no save of this file was seen";
    }
}
