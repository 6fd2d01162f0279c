// tessarin's own command line: what it prints and how it ends, without starting the agent.
#include "support/BuildInfo.h"
#include "support/RunProcess.h"
#include "support/TempHome.h"

#include <gtest/gtest.h>

using namespace tessarin;

TEST(AgentCommandLine, PrintsAndEndsOrSaysWhatIsMissing) {
    test::TempHome home;
    using Env = std::map<std::string, std::string>;
    const std::string advice =
        "\nStart Tessarin from your desktop session; tessarinctl works without one (tessarinctl --help).\n";
    struct Case {
        std::vector<std::string> args;
        Env env;
        int status;
        std::string out; // its start
        std::string err; // contained
    } cases[] = {
        {{"--help"}, {}, 0, "Usage: tessarin\n       tessarin --help | --version\n\n", ""},
        {{"--version"}, {}, 0, "Tessarin " + std::string(buildinfo::version) + "\n", ""},
        {{}, {}, 1, "", "there is no graphical display to show the tray icon on" + std::string(" (DISPLAY")},
        {{},
         {{"DISPLAY", ":4711"}},
         1,
         "",
         "could not open the display \":4711\" to show the tray icon on." + advice},
        {{},
         {{"QT_QPA_PLATFORM", "offscreen"}, {"DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/bus"}},
         1,
         "",
         "could not reach the session's D-Bus, which Tessarin needs to make sure only one copy manages your "
         "desktops." +
             advice},
    };
    for (const auto& c : cases) {
        Env env{{"HOME", home.path().string()},
                {"DISPLAY", ""},
                {"WAYLAND_DISPLAY", ""},
                {"QT_QPA_PLATFORM", ""}};
        for (const auto& [k, v] : c.env)
            env[k] = v;
        std::vector<std::string> argv{TESSARIN_AGENT};
        argv.insert(argv.end(), c.args.begin(), c.args.end());
        const auto r = test::run(argv, env);
        EXPECT_EQ(r.status, c.status) << c.err << r.err;
        EXPECT_TRUE(r.out.starts_with(c.out)) << r.out;
        EXPECT_NE(r.err.find(c.err), std::string::npos) << r.err;
        EXPECT_EQ(r.err.find("qt.qpa"), std::string::npos)
            << "Qt's plugin lines and abort stay out: " << r.err;
    }
    EXPECT_FALSE(std::filesystem::exists(home / "Tessarin Desktops"));
}
