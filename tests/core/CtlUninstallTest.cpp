#include "support/RunProcess.h"
#include "support/TempHome.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

using namespace tessarin;
namespace fs = std::filesystem;

// tessarinctl in its own process (no agent), run from the build tree: a development run.
TEST(CtlUninstall, HandsTheDesktopsBackOnlyWhenToldYesAndOnlyWhenSafe) {
    const std::string work = R"({"activeWorkspace":"Home","workspaces":[{"name":"Home"},{"name":"Work"}]})";
    const std::string newer =
        R"({"schemaVersion":2,"activeWorkspace":"Home","workspaces":[{"name":"Work"}]})";
    const struct {
        const char* name;
        std::vector<std::string> args;
        std::string document; // empty: no store at all
        int status;
        bool workOnDesktop;
        std::string says;
    } cases[] = {
        {"asks for --yes",
         {"uninstall"},
         work,
         2,
         false,
         "Nothing was changed. Run “tessarinctl uninstall --yes”"},
        {"anything else is a usage error",
         {"uninstall", "--no"},
         work,
         2,
         false,
         "Usage: tessarinctl uninstall --yes"},
        {"hands back", {"uninstall", "--yes"}, work, 0, true, "Restored “Work” → "},
        {"a newer document is left alone",
         {"uninstall", "--yes"},
         newer,
         4,
         false,
         "saved by a newer version"},
        {"no store: nothing is created",
         {"uninstall", "--yes"},
         "",
         0,
         false,
         "This is a development run: there is nothing installed to remove."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        test::TempHome home;
        const fs::path store = home.path() / "Tessarin Desktops";
        fs::create_directories(home.path() / "Desktop");
        if (!c.document.empty()) {
            test::writeFile(store / ".store/config.json", c.document);
            test::writeFile(store / "Work/plan.txt", "plan");
        }
        const fs::path autostart = home.path() / ".config/autostart/com.orrinvale.Tessarin.desktop";
        test::writeFile(autostart, "[Desktop Entry]\nType=Application\nName=Tessarin\nExec=tessarin\n");
        std::vector<std::string> argv = {TESSARIN_CTL};
        argv.insert(argv.end(), c.args.begin(), c.args.end());
        const auto r = test::run(
            argv, {{"HOME", home.path().string()}, {"XDG_CONFIG_HOME", (home.path() / ".config").string()}});
        EXPECT_EQ(r.status, c.status) << r.err;
        EXPECT_NE((r.out + r.err).find(c.says), std::string::npos) << r.out << r.err;
        EXPECT_EQ(fs::exists(home.path() / "Desktop/Work/plan.txt"), c.workOnDesktop);
        EXPECT_EQ(fs::exists(store / "Work/plan.txt"), !c.workOnDesktop && !c.document.empty());
        EXPECT_EQ(fs::exists(store), !c.document.empty());
        EXPECT_EQ(fs::exists(autostart), c.status != 0) << "the autostart entry goes with a hand-back";
    }
}

TEST(CtlUninstall, AutostartIsRefusedInADevelopmentRun) {
    test::TempHome home;
    const std::map<std::string, std::string> env = {{"HOME", home.path().string()},
                                                    {"XDG_CONFIG_HOME", (home.path() / ".config").string()}};
    const auto on = test::run({TESSARIN_CTL, "autostart", "on"}, env);
    EXPECT_EQ(on.status, 1);
    EXPECT_EQ(on.err, "Becomes available once Tessarin is installed as an app.\n");
    const auto state = test::run({TESSARIN_CTL, "--json", "autostart"}, env);
    const auto j = nlohmann::json::parse(state.out);
    EXPECT_FALSE(j["autostart"].get<bool>());
    EXPECT_FALSE(j["available"].get<bool>());
    EXPECT_FALSE(fs::exists(home.path() / ".config/autostart"));
}
