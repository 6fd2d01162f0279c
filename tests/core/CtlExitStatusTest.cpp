#include "store/StoreLock.h"
#include "support/RunProcess.h"
#include "support/TempHome.h"

#include <gtest/gtest.h>
#include <unistd.h>

using namespace tessarin;
namespace fs = std::filesystem;

namespace {

struct CtlHome {
    test::TempHome home;
    std::map<std::string, std::string> env{{"HOME", home.path().string()},
                                           {"XDG_CONFIG_HOME", (home / ".config").string()}};
    fs::path config = home / "Tessarin Desktops/.store/config.json";

    test::Output ctl(std::vector<std::string> args) {
        args.insert(args.begin(), TESSARIN_CTL);
        return test::run(args, env);
    }
};

} // namespace

TEST(CtlExitStatus, NewerDocumentGivesAReadOnlySession) {
    CtlHome h;
    fs::create_directories(h.home / "Desktop");
    const std::string newer =
        R"({"schemaVersion":2,"activeWorkspace":"A","workspaces":[{"name":"A"},{"name":"B"}],"future":true})";
    test::writeFile(h.config, newer);
    struct Case {
        std::vector<std::string> args;
        int status;
    } cases[] = {{{"switch", "B"}, 4}, {{"hide"}, 4}, {{"next"}, 4}, {{"recover"}, 4}, {{"status"}, 0}};
    for (const auto& c : cases) {
        const auto r = h.ctl(c.args);
        EXPECT_EQ(r.status, c.status) << c.args.front() << ": " << r.err;
        if (c.status == 4) {
            EXPECT_EQ(r.err,
                      "Your Tessarin data was saved by a newer version of the app. Update Tessarin to make "
                      "changes — nothing has been changed or lost.\n");
        }
    }
    EXPECT_NE(h.ctl({"--json", "status"}).out.find(R"("readOnly":true)"), std::string::npos);
    EXPECT_EQ(test::readFile(h.config), newer);
    EXPECT_FALSE(fs::exists(h.home / "Tessarin Desktops/A"));
}

TEST(CtlExitStatus, StoreHeldByAnotherProcess) {
    CtlHome h;
    fs::create_directories(h.home / "Desktop");
    StoreLock lock(h.home / "Tessarin Desktops", "holder-test");
    lock.acquire();
    const auto r = h.ctl({"status"});
    EXPECT_EQ(r.status, 3);
    EXPECT_EQ(r.err, "The Tessarin store is in use by another process (PID " + std::to_string(::getpid()) +
                         ", holder-test). Try again when it has finished.\n");
    lock.release();
    EXPECT_EQ(h.ctl({"status"}).status, 0);
}

TEST(CtlExitStatus, DesktopThatMustNotBeSwappedIsRefused) {
    CtlHome h;
    test::writeFile(h.home / ".config/user-dirs.dirs", "XDG_DESKTOP_DIR=\"$HOME/\"\n");
    test::writeFile(h.home / "precious.txt", "x");
    const auto r = h.ctl({"switch", "Default"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("is your home folder"), std::string::npos) << r.err;
    EXPECT_FALSE(fs::exists(h.home / "Tessarin Desktops"));
    EXPECT_TRUE(fs::exists(h.home / "precious.txt"));
}
