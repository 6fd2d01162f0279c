// tessarinctl switches over a Desktop and a desktop of a thousand items each and is killed at random
// instants. After every kill the next command must leave every item exactly once, in its place.
#include "model/ConfigCodec.h"
#include "store/FileStateStore.h"
#include "support/RunProcess.h"
#include "support/TempHome.h"

#include <csignal>
#include <gtest/gtest.h>
#include <random>
#include <set>
#include <thread>

using namespace tessarin;
namespace fs = std::filesystem;

namespace {

const std::string blank(Config::blankWorkspaceName);
constexpr int itemsPerDesktop = 1000;

std::set<std::string> listing(const fs::path& dir) {
    std::set<std::string> names;
    std::error_code ec;
    for (const auto& e : fs::directory_iterator(dir, ec))
        if (!e.path().filename().string().starts_with("."))
            names.insert(e.path().filename().string());
    return names;
}

std::set<std::string> itemsOf(const std::string& desktop) {
    std::set<std::string> names;
    for (int i = 0; i < itemsPerDesktop; ++i)
        names.insert(desktop + "-" + std::to_string(i));
    return names;
}

struct CrashWorld {
    test::TempHome home;
    fs::path desktop = home / "Desktop";
    fs::path root = home / "Tessarin Desktops";
    std::map<std::string, std::string> env{{"HOME", home.path().string()},
                                           {"XDG_CONFIG_HOME", (home / ".config").string()}};

    CrashWorld() {
        fs::create_directories(root / ".store");
        Config c = makeDefaultConfig();
        c.activeWorkspace = "A";
        c.workspaces = {Workspace::make("A"), Workspace::make("B"), Workspace::make(blank)};
        const auto b = itemsOf("B");
        c.workspaces[1].files.assign(b.begin(), b.end());
        c.settings.pinnedFolders = {"Pinned"};
        FileStateStore(root / ".store/config.json", root / ".store/journal.json").saveConfig(c);
        for (const auto& n : itemsOf("A"))
            test::writeFile(desktop / n, n);
        for (const auto& n : itemsOf("B"))
            test::writeFile(root / "B" / n, n);
        fs::create_directories(desktop / "Pinned");
        test::writeFile(desktop / "Pinned/inside", "x");
    }

    int ctl(const std::vector<std::string>& args) {
        std::vector<std::string> argv{TESSARIN_CTL};
        argv.insert(argv.end(), args.begin(), args.end());
        return test::waitFor(test::spawn(argv, env));
    }

    // Every item exactly once and where the document says; no journal.
    void expectConsistent(const std::string& context) {
        FileStateStore store(root / ".store/config.json", root / ".store/journal.json");
        ASSERT_FALSE(store.loadJournal()) << context;
        const Config c = store.loadConfig();
        const std::string active = c.activeWorkspace;
        const bool hidden = active == blank;
        // The pinned folder is exactly once on the Desktop or in the stash; on the Desktop whenever
        // the Desktop is shown. (A show killed before its journal leaves it out while still hidden.)
        auto onDesktop = listing(desktop);
        const auto stashed = listing(root / ".pinned");
        ASSERT_NE(onDesktop.count("Pinned") + stashed.count("Pinned"), 0u) << context;
        ASSERT_NE(onDesktop.count("Pinned") + stashed.count("Pinned"), 2u) << context;
        ASSERT_TRUE(hidden || onDesktop.count("Pinned")) << context;
        const fs::path pinnedAt = onDesktop.count("Pinned") ? desktop / "Pinned" : root / ".pinned/Pinned";
        ASSERT_EQ(test::readFile(pinnedAt / "inside"), "x") << context;
        onDesktop.erase("Pinned");
        ASSERT_EQ(onDesktop, hidden ? std::set<std::string>{} : itemsOf(active))
            << context << " active " << active;
        for (const std::string name : {"A", "B"}) {
            const auto inFolder = listing(root / name);
            if (name == active) {
                ASSERT_TRUE(inFolder.empty()) << context;
            } else {
                ASSERT_EQ(inFolder, itemsOf(name)) << context;
                const auto& files = c.findWorkspace(name)->files;
                ASSERT_EQ(std::set<std::string>(files.begin(), files.end()), inFolder) << context;
            }
        }
        ASSERT_TRUE(listing(root / blank).empty()) << context;
    }
};

} // namespace

TEST(SwitchCrash, KilledSwitchesAreFinishedByTheNextCommand) {
    CrashWorld w;
    ASSERT_EQ(w.ctl({"status"}), 0);
    w.expectConsistent("start");
    ASSERT_FALSE(HasFatalFailure());

    std::mt19937 rng(7);
    std::uniform_int_distribution<int> delayUs(0, 60000);
    // Each step's command and the desktop active before it: A->B, B->A, A->hidden, hidden->A.
    const std::vector<std::vector<std::string>> steps{{"switch", "B"}, {"switch", "A"}, {"hide"}, {"show"}};
    constexpr int trialsPerDirection = 100;
    int interrupted = 0;
    for (int trial = 0; trial < trialsPerDirection * static_cast<int>(steps.size()); ++trial) {
        const auto& step = steps[static_cast<size_t>(trial) % steps.size()];
        std::vector<std::string> argv{TESSARIN_CTL};
        argv.insert(argv.end(), step.begin(), step.end());
        const pid_t pid = test::spawn(argv, w.env);
        std::this_thread::sleep_for(std::chrono::microseconds(delayUs(rng))); // the random instant
        ::kill(pid, SIGKILL);
        if (test::waitFor(pid) == 128 + SIGKILL)
            ++interrupted;
        ASSERT_EQ(w.ctl({"recover"}), 0) << "trial " << trial;
        w.expectConsistent("trial " + std::to_string(trial));
        ASSERT_FALSE(HasFatalFailure());
        // Put the world where the next step expects it: the killed step either happened or not.
        const std::string active =
            FileStateStore(w.root / ".store/config.json", w.root / ".store/journal.json")
                .loadConfig()
                .activeWorkspace;
        const std::string wanted =
            std::vector<std::string>{"B", "A", blank, "A"}[static_cast<size_t>(trial) % 4];
        if (active != wanted) {
            ASSERT_EQ(w.ctl(step), 0) << "trial " << trial;
        }
        w.expectConsistent("after redo " + std::to_string(trial));
        ASSERT_FALSE(HasFatalFailure());
    }
    EXPECT_GT(interrupted, trialsPerDirection); // most kills landed while the command ran
}

TEST(SwitchCrash, ConcurrentCommandsTakeTurnsOnTheStore) {
    CrashWorld w;
    ASSERT_EQ(w.ctl({"status"}), 0);
    for (int round = 0; round < 15; ++round) {
        const pid_t one = test::spawn({TESSARIN_CTL, "switch", "B"}, w.env);
        const pid_t two = test::spawn(round % 2 ? std::vector<std::string>{TESSARIN_CTL, "hide"}
                                                : std::vector<std::string>{TESSARIN_CTL, "switch", "A"},
                                      w.env);
        ASSERT_EQ(test::waitFor(one), 0) << "round " << round;
        ASSERT_EQ(test::waitFor(two), 0) << "round " << round;
        w.expectConsistent("round " + std::to_string(round));
        ASSERT_FALSE(HasFatalFailure());
    }
}
