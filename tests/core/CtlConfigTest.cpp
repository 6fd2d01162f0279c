// tessarinctl config prints each sample document as this version reads it and writes nothing.
#include "model/ConfigCodec.h"
#include "support/RunProcess.h"
#include "support/TempHome.h"

#include <gtest/gtest.h>

using namespace tessarin;
namespace fs = std::filesystem;

TEST(CtlConfig, PrintsEachSampleDocumentAsASaveWouldWriteIt) {
    int documents = 0;
    for (const auto& entry : fs::directory_iterator(TESSARIN_TEST_DATA_DIR "/config")) {
        SCOPED_TRACE(entry.path().filename().string());
        test::TempHome home;
        const fs::path config = home / "Tessarin Desktops/.store/config.json";
        const std::string bytes = test::readFile(entry.path());
        test::writeFile(config, bytes);
        const auto r = test::run({TESSARIN_CTL, "config"}, {{"HOME", home.path().string()}});
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

TEST(CtlConfig, CommandLineBasics) {
    test::TempHome home;
    const std::map<std::string, std::string> env{{"HOME", home.path().string()}};
    struct Case {
        std::vector<std::string> args;
        int status;
        std::string outStart;
    } cases[] = {
        {{"config"},
         0,
         R"({"schemaVersion":1,"activeWorkspace":"_Hidden Desktop","workspaces":[],"settings":{)"},
        {{"--help"}, 0, "Usage: tessarinctl"},
        {{"no-such-command"}, 2, ""},
        {{"--no-such-option", "status"}, 2, ""},
        {{"config", "extra"}, 2, ""},
        {{"switch"}, 2, ""},
        {{}, 2, ""},
        // The global options stand before or after the command; "--" ends them.
        {{"config", "--json"}, 0, R"({"schemaVersion":1,)"},
        {{"-v", "config", "--verbose"}, 0, R"({"schemaVersion":1,)"},
        {{"switch", "--help"}, 0, "Usage: tessarinctl"},
        {{"help"}, 0, "Usage: tessarinctl"},
        {{"config", "--", "--json"}, 2, ""},
        {{"--", "--json"}, 2, ""},
        {{"status", "--bogus"}, 2, ""},
    };
    for (const auto& c : cases) {
        std::vector<std::string> argv{TESSARIN_CTL};
        argv.insert(argv.end(), c.args.begin(), c.args.end());
        const auto r = test::run(argv, env);
        EXPECT_EQ(r.status, c.status) << (c.args.empty() ? "" : c.args.front()) << r.err;
        EXPECT_TRUE(r.out.starts_with(c.outStart)) << r.out;
    }
    const auto help = test::run({TESSARIN_CTL, "--help"}, env).out;
    EXPECT_NE(help.find("Options count before or after the command."), std::string::npos);
    // Reading the default document creates nothing.
    EXPECT_FALSE(fs::exists(home / "Tessarin Desktops"));
}
