// The document a locked store keeps between loads, the visit its saves carry, and what a command that
// changes nothing leaves on disk.
#include "model/ConfigCodec.h"
#include "store/AtomicFile.h"
#include "store/FileStateStore.h"
#include "store/StoreLock.h"
#include "support/Files.h"
#include "support/TempHome.h"
#include "support/World.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace tessarin;
namespace fs = std::filesystem;

namespace {

Config documentWith(const std::string& active, const std::vector<std::string>& files) {
    Config c = makeDefaultConfig();
    c.activeWorkspace = active;
    c.workspaces = {Workspace::make("A"), Workspace::make("B"),
                    Workspace::make(std::string(Config::blankWorkspaceName))};
    c.workspaces[0].files = files;
    return c;
}

} // namespace

TEST(KeptDocument, AnotherWriterIsNoticedByTheNextLoad) {
    struct Case {
        const char* what;
        std::function<void(const fs::path&)> change;
        std::vector<std::string> expectedFiles; // of A; none when the load must throw
        bool throws = false;
    } cases[] = {
        {"replaced atomically",
         [](const fs::path& p) { writeAtomically(p, encodeConfig(documentWith("A", {"x"}))); },
         {"x"}},
        {"rewritten in place, longer",
         [](const fs::path& p) { test::writeFile(p, encodeConfig(documentWith("A", {"longer name"}))); },
         {"longer name"}},
        {"removed", [](const fs::path& p) { fs::remove(p); }, {}},
        {"a folder in its place",
         [](const fs::path& p) {
             fs::remove(p);
             fs::create_directory(p);
         },
         {},
         true},
    };
    for (const auto& c : cases) {
        test::TempHome tmp;
        const fs::path config = tmp / "config.json";
        FileStateStore store(config, tmp / "journal.json");
        store.keepDocument(true);
        store.saveConfig(documentWith("A", {"first"}));
        ASSERT_EQ(store.loadConfig().workspaces[0].files, std::vector<std::string>{"first"}) << c.what;
        c.change(config);
        if (c.throws) {
            EXPECT_THROW(store.loadConfig(), StoreError) << c.what;
            continue;
        }
        const Config loaded = store.loadConfig();
        if (c.expectedFiles.empty())
            EXPECT_EQ(loaded, makeDefaultConfig()) << c.what;
        else
            EXPECT_EQ(loaded.workspaces[0].files, c.expectedFiles) << c.what;
    }
}

TEST(KeptDocument, EverySaveCarriesTheVisit) {
    const Date visit{5000};
    struct Case {
        const char* what;
        std::optional<Date> before;
        Date after;
    } cases[] = {{"never visited", std::nullopt, visit},
                 {"visited earlier", Date{100}, visit},
                 {"a later visit stays", Date{9000}, Date{9000}}};
    for (const auto& c : cases) {
        test::TempHome tmp;
        FileStateStore store(tmp / "config.json", tmp / "journal.json");
        const ManualClock clock(Date{7000});
        store.carryVisits("A", visit, clock);
        Config doc = documentWith("B", {});
        doc.workspaces[0].lastActiveAt = c.before;
        // Saved twice from the same copy: the second save must not lose the stamp either.
        store.saveConfig(doc);
        doc.lastExpandedWorkspace = "B";
        store.saveConfig(doc);
        const Config read = FileStateStore(tmp / "config.json", tmp / "journal.json").loadConfig();
        EXPECT_EQ(read.findWorkspace("A")->lastActiveAt, c.after) << c.what;
        EXPECT_EQ(read.findWorkspace("B")->lastActiveAt, Date{7000}) << c.what; // the active desktop
        EXPECT_EQ(read.lastExpandedWorkspace, "B") << c.what;
    }
}

TEST(KeptDocument, CommandsThatChangeNothingLeaveTheDocumentUntouched) {
    test::World w;
    const fs::path root = w.paths.root;
    const fs::path config = w.paths.config;
    w.put(w.paths.desktop / "a.txt", "a");
    writeAtomically(config, encodeConfig(documentWith("A", {"a.txt"})));
    ASSERT_EQ(w.ctl({"status"}).status, 0); // the first command makes the desktop folders
    EXPECT_FALSE(StoreLock::mayBeHeld(root));

    const auto bytes = test::readFile(config);
    const auto version = fileVersion(config);
    const std::vector<std::vector<std::string>> commands{
        {"status"}, {"list"}, {"get", "moveGapMs"}, {"switch", "A"}};
    for (const auto& args : commands) {
        const auto r = w.ctl(args);
        EXPECT_EQ(r.status, 0) << args.front() << ": " << r.err;
        EXPECT_EQ(test::readFile(config), bytes) << args.front();
        EXPECT_TRUE(fileVersion(config) == version) << args.front();
    }

    // A switch writes, and its writes carry the visit of the desktop it leaves.
    ASSERT_EQ(w.ctl({"switch", "B"}).status, 0);
    const Config after = w.load();
    EXPECT_EQ(after.activeWorkspace, "B");
    EXPECT_TRUE(after.findWorkspace("A")->lastActiveAt.has_value());
    EXPECT_TRUE(after.findWorkspace("B")->lastActiveAt.has_value());
    EXPECT_TRUE(fs::exists(root / "A/a.txt"));

    // The lock held here is seen from outside; nobody else's is.
    StoreLock lock(root, "test");
    lock.acquire();
    EXPECT_TRUE(StoreLock::mayBeHeld(root));
    lock.release();
    EXPECT_FALSE(StoreLock::mayBeHeld(root));
    EXPECT_FALSE(StoreLock::mayBeHeld(w.home / "nowhere"));
}
