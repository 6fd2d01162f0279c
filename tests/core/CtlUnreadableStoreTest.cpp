// State files that exist but can't be read: a file of mode 000 (for a user who is not root), a folder
// in its place, an I/O error. Only a missing file is a first launch: every command refuses with the
// reason, and not one byte of the store or the Desktop changes.
#include "support/World.h"

#include <functional>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tessarin {
namespace {

namespace fs = std::filesystem;

constexpr uid_t nobody = 65534;
const char* const setpriv = "/usr/bin/setpriv";

// A file whose every read fails with EIO: reading this process's memory at address 0.
void makeFailingReads(const fs::path& path) {
    fs::remove(path);
    fs::create_symlink("/proc/self/mem", path);
}

void makeFolder(const fs::path& path) {
    fs::remove(path);
    fs::create_directories(path / "inside");
}

void makeUnreadable(const fs::path& path) {
    ::chmod(path.c_str(), 0);
}

// Gives the tree to `nobody`, so that a file of mode 000 means something when the test runs as root.
void giveAway(const fs::path& root) {
    ::lchown(root.c_str(), nobody, nobody);
    for (const auto& e : fs::recursive_directory_iterator(root))
        ::lchown(e.path().c_str(), nobody, nobody);
}

TEST(CtlUnreadableStore, NothingIsWrittenOverAStateFileThatCantBeRead) {
    const bool root = ::geteuid() == 0;
    if (root && ::access(setpriv, X_OK) != 0)
        GTEST_SKIP() << "running as root without setpriv: a file of mode 000 can't be tested";
    struct Case {
        std::string what;
        bool journal; // the journal, else config.json
        std::function<void(const fs::path&)> breakFile;
        std::string reason;
    } cases[] = {
        {"config.json of mode 000", false, makeUnreadable, "Permission denied"},
        {"a folder in place of config.json", false, makeFolder, "a folder is in its place"},
        {"config.json failing with EIO", false, makeFailingReads, "Input/output error"},
        {"journal.json of mode 000", true, makeUnreadable, "Permission denied"},
        {"a folder in place of journal.json", true, makeFolder, "a folder is in its place"},
        {"journal.json failing with EIO", true, makeFailingReads, "Input/output error"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        test::World w;
        const Paths& paths = w.paths;
        Config doc = w.document("Work", {"Work", "Notes"});
        doc.settings.startMinimized = true; // a setting the default document would lose
        w.store.saveConfig(doc);
        test::writeFile(paths.journal, R"({"fromWorkspace":"Notes","toWorkspace":"Work",)"
                                       R"("outgoing":["n1"],"incoming":["w1"]})");
        test::writeFile(paths.desktop / "w1", "Work's");
        test::writeFile(paths.workspaces / "Notes/n1", "Notes'");
        test::writeFile(paths.workspaces / "Work/.keep", "");
        // As the start-up leaves them, so that a start-up that may run changes nothing.
        fs::create_directories(paths.workspaces / Config::blankWorkspaceName);
        test::writeFile(paths.workspaces / ".hidden", std::string(Config::blankWorkspaceName) + "\n");
        if (!c.journal)
            fs::remove(paths.journal);
        c.breakFile(c.journal ? paths.journal : paths.config);
        if (root)
            giveAway(w.home.path());
        const auto before = w.disk();

        // A journal that can't be read leaves the listing possible, but nothing that moves items.
        const std::vector<std::pair<std::vector<std::string>, int>> runs{
            {{"list"}, c.journal ? 0 : 1}, {{"switch", "Notes"}, 1}, {{"recover"}, 1}};
        for (const auto& [args, status] : runs) {
            auto argv = test::World::argv(args);
            if (root)
                argv.insert(argv.begin(), {setpriv, "--reuid=65534", "--regid=65534", "--clear-groups"});
            const auto out = test::run(argv, w.env);
            EXPECT_EQ(out.status, status) << args.front() << ": " << out.out << out.err;
            EXPECT_NE(out.err.find(c.reason), std::string::npos) << args.front() << ": " << out.err;
            EXPECT_EQ(w.disk(), before) << args.front();
        }
        EXPECT_EQ(fs::exists(paths.journal), c.journal) << "nothing was written in its place";
        // The broken file itself is exactly as it was.
        const fs::path broken = c.journal ? paths.journal : paths.config;
        struct stat info {};
        ASSERT_EQ(::lstat(broken.c_str(), &info), 0);
        if (c.reason == "Permission denied") {
            EXPECT_EQ(info.st_mode & 07777, 0u);
            ::chmod(broken.c_str(), 0600);
            if (c.journal) {
                EXPECT_NE(test::readFile(broken).find("\"toWorkspace\":\"Work\""), std::string::npos);
            } else {
                EXPECT_TRUE(w.load() == doc);
            }
        } else if (c.reason == "Input/output error") {
            EXPECT_EQ(fs::read_symlink(broken), "/proc/self/mem");
        } else {
            EXPECT_TRUE(fs::is_directory(broken / "inside"));
        }
    }
}

} // namespace
} // namespace tessarin
