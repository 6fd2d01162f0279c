// tessarinctl in its own process (no agent), run from the build tree: a development run.
#include "support/World.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

using namespace tessarin;
namespace fs = std::filesystem;

TEST(CtlUninstall, HandsTheDesktopsBackOnlyWhenToldYesAndOnlyWhenSafe) {
    const std::string work = R"({"activeWorkspace":"Home","workspaces":[{"name":"Home"},{"name":"Work"}]})";
    const std::string askYes = "Nothing was changed. Run “tessarinctl uninstall --yes”";
    const std::string nothingInstalled = "This is a development run: there is nothing installed to remove.";
    const struct {
        const char* name;
        std::vector<std::string> args;
        std::string document; // empty: no store at all
        int status;
        bool workOnDesktop;
        std::string says;
    } cases[] = {
        {"asks first", {"uninstall"}, work, 2, false, askYes},
        {"--no: a usage error", {"uninstall", "--no"}, work, 2, false, "Usage: tessarinctl uninstall --yes"},
        {"hands back", {"uninstall", "--yes"}, work, 0, true, "Restored “Work” → "},
        {"no store: nothing is created", {"uninstall", "--yes"}, "", 0, false, nothingInstalled},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        test::World w(!c.document.empty());
        if (!c.document.empty()) {
            test::writeFile(w.paths.config, c.document);
            w.put(w.folder("Work") / "plan.txt", "plan");
        }
        const fs::path autostart = w.home / ".config/autostart/com.orrinvale.Tessarin.desktop";
        test::writeFile(autostart, "[Desktop Entry]\nType=Application\nName=Tessarin\nExec=tessarin\n");
        const auto r = w.ctl(c.args);
        EXPECT_EQ(r.status, c.status) << r.err;
        EXPECT_NE((r.out + r.err).find(c.says), std::string::npos) << r.out << r.err;
        EXPECT_EQ(fs::exists(w.paths.desktop / "Work/plan.txt"), c.workOnDesktop);
        EXPECT_EQ(fs::exists(w.folder("Work") / "plan.txt"), !c.workOnDesktop && !c.document.empty());
        EXPECT_EQ(fs::exists(w.paths.root), !c.document.empty());
        EXPECT_EQ(fs::exists(autostart), c.status != 0) << "the autostart entry goes with a hand-back";
    }
}

TEST(CtlUninstall, AutostartIsRefusedInADevelopmentRun) {
    test::World w(false);
    const auto on = w.ctl({"autostart", "on"});
    EXPECT_EQ(on.status, 1);
    EXPECT_EQ(on.err, "Becomes available once Tessarin is installed as an app.\n");
    const auto j = nlohmann::json::parse(w.ctl({"--json", "autostart"}).out);
    EXPECT_FALSE(j["autostart"].get<bool>());
    EXPECT_FALSE(j["available"].get<bool>());
    EXPECT_FALSE(fs::exists(w.home / ".config/autostart"));
}
