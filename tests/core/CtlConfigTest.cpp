// tessarinctl config prints each sample document as this version reads it and writes nothing.
#include "model/ConfigCodec.h"
#include "support/World.h"

#include <gtest/gtest.h>

using namespace tessarin;
namespace fs = std::filesystem;

TEST(CtlConfig, PrintsEachSampleDocumentAsASaveWouldWriteIt) {
    int documents = 0;
    for (const auto& entry : fs::directory_iterator(TESSARIN_TEST_DATA_DIR "/config")) {
        SCOPED_TRACE(entry.path().filename().string());
        test::World w;
        const fs::path config = w.paths.config;
        const std::string bytes = test::readFile(entry.path());
        test::writeFile(config, bytes);
        const auto r = w.ctl({"config"});
        EXPECT_EQ(test::readFile(config), bytes); // nothing written
        EXPECT_EQ(std::distance(fs::directory_iterator(config.parent_path()), fs::directory_iterator()), 1);
        if (entry.path().filename().string().starts_with("bad-")) {
            EXPECT_EQ(r.status, 1);
            EXPECT_EQ(r.out, "");
            try {
                decodeConfig(bytes);
                ADD_FAILURE() << "sample should not decode";
            } catch (const DecodeError& e) {
                EXPECT_EQ(r.err, std::string(e.what()) + "\n");
            }
            continue;
        }
        ++documents;
        ASSERT_EQ(r.status, 0) << r.err;
        ASSERT_FALSE(r.out.empty());
        EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 1);
        Config read = decodeConfig(bytes);
        if (read.schemaVersion < 1)
            read.schemaVersion = 1;
        // Identities made up for entries without one differ from run to run; compare structure then.
        const Config printed = decodeConfig(r.out);
        EXPECT_EQ(printed.workspaces, read.workspaces);
        EXPECT_EQ(printed.settings.customFilters.size(), read.settings.customFilters.size());
        EXPECT_EQ(encodeConfig(decodeConfig(r.out)), r.out.substr(0, r.out.size() - 1)); // stable
    }
    EXPECT_GE(documents, 4);
}
