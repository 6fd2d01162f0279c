// tessarinctl's exit statuses: 0 done, 1 refused, 2 a usage error, 3 the store in use by another
// process, 4 a read-only session (a document from a newer version). The texts of refusals made below the
// command line are checked where they are made; here only that the command refused, and with which status.
#include "model/ConfigCodec.h"
#include "store/StoreLock.h"
#include "support/World.h"

#include <gtest/gtest.h>

using namespace tessarin;
namespace fs = std::filesystem;

TEST(CtlExitStatus, UsageErrorsHelpAndTheDefaultDocument) {
    test::World w(false);
    struct Case {
        std::vector<std::string> args;
        int status;
        std::string outStart;
    } cases[] = {
        {{"config"},
         0,
         R"({"schemaVersion":1,"activeWorkspace":"_Hidden Desktop","workspaces":[],"settings":{)"},
        {{"--help"}, 0, "Usage: tessarinctl"},
        {{"help"}, 0, "Usage: tessarinctl"},
        // The global options stand before or after the command; "--" ends them.
        {{"config", "--json"}, 0, R"({"schemaVersion":1,)"},
        {{"no-such-command"}, 2, ""},
        {{"--no-such-option", "status"}, 2, ""},
        {{"status", "--bogus"}, 2, ""},
        {{"config", "--", "--json"}, 2, ""},
        {{"--", "--json"}, 2, ""},
        {{"switch"}, 2, ""},
        {{"archive"}, 2, ""},
        {{}, 2, ""},
    };
    for (const auto& c : cases) {
        const auto r = w.ctl(c.args);
        EXPECT_EQ(r.status, c.status) << (c.args.empty() ? "" : c.args.front()) << r.err;
        EXPECT_TRUE(r.out.starts_with(c.outStart)) << r.out;
        EXPECT_EQ(r.err.empty(), c.status == 0) << r.err;
    }
    EXPECT_NE(w.ctl({"--help"}).out.find("Options count before or after the command."), std::string::npos);
    EXPECT_FALSE(fs::exists(w.paths.root)) << "reading the default document creates nothing";
}

TEST(CtlExitStatus, ANewerDocumentGivesAReadOnlySession) {
    test::World w;
    Config doc = w.document({Workspace::make("Work"), test::World::temporary("Trip")});
    for (const auto* name : {"Work", "Trip"})
        w.put(w.folder(name) / "file.txt", name);
    doc.schemaVersion = 2;
    test::writeFile(w.paths.config, encodeConfig(doc));
    const auto before = w.disk();
    // One command of each kind that refuses on its own: switching, recovery, the settings model, the
    // sweeps, the archiver and the hand-back.
    const std::vector<std::vector<std::string>> changes{{"switch", "Work"},  {"recover"},
                                                        {"new", "Other"},    {"sort-now"},
                                                        {"archive", "Trip"}, {"uninstall", "--yes"}};
    for (const auto& args : changes) {
        const auto r = w.ctl(args);
        EXPECT_EQ(r.status, 4) << args[0] << ": " << r.err;
        EXPECT_FALSE(r.err.empty()) << args[0];
    }
    for (const auto& args : std::vector<std::vector<std::string>>{
             {"status"}, {"list"}, {"get", "startMinimized"}, {"diagnostics"}, {"cleanups"}, {"config"}})
        EXPECT_EQ(w.ctl(args).status, 0) << args[0];
    EXPECT_NE(w.ctl({"--json", "status"}).out.find(R"("readOnly":true)"), std::string::npos);
    EXPECT_EQ(test::readFile(w.paths.config), encodeConfig(doc));
    EXPECT_EQ(w.disk(), before);
}

TEST(CtlExitStatus, AStoreInUseAndADesktopThatMustNotBeSwapped) {
    test::World w;
    StoreLock lock(w.paths.root, "holder-test");
    lock.acquire();
    const auto busy = w.ctl({"status"});
    EXPECT_EQ(busy.status, 3);
    EXPECT_NE(busy.err.find("holder-test"), std::string::npos) << busy.err;
    lock.release();
    EXPECT_EQ(w.ctl({"status"}).status, 0);

    test::World home(false);
    test::writeFile(home.home / ".config/user-dirs.dirs", "XDG_DESKTOP_DIR=\"$HOME/\"\n");
    home.put(home.home / "precious.txt");
    EXPECT_EQ(home.ctl({"switch", "Default"}).status, 1);
    EXPECT_FALSE(fs::exists(home.paths.root));
    EXPECT_TRUE(fs::exists(home.home / "precious.txt"));
}
