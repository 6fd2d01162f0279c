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

namespace {

// Desktops A and B hold items of the same names with different contents, so that an item can only be
// told by its content: "A:<name>" or "B:<name>".
struct SharedNamesWorld {
    static constexpr int perDesktop = 200;
    static constexpr int sharedNames = 150;

    test::TempHome home;
    fs::path desktop = home / "Desktop";
    fs::path root = home / "Tessarin Desktops";
    std::map<std::string, std::string> env{{"HOME", home.path().string()},
                                           {"XDG_CONFIG_HOME", (home / ".config").string()}};
    std::map<std::string, std::string> strays; // name -> content, put on the hidden Desktop

    static std::string nameOf(const std::string& desktop, int i) {
        return i < sharedNames ? "shared-" + std::to_string(i) : desktop + "-" + std::to_string(i);
    }
    static std::set<std::string> contentsOf(const std::string& desktop) {
        std::set<std::string> contents;
        for (int i = 0; i < perDesktop; ++i)
            contents.insert(desktop + ":" + nameOf(desktop, i));
        return contents;
    }

    SharedNamesWorld() {
        fs::create_directories(root / ".store");
        Config c = makeDefaultConfig();
        c.activeWorkspace = "A";
        c.workspaces = {Workspace::make("A"), Workspace::make("B"), Workspace::make(blank)};
        for (int i = 0; i < perDesktop; ++i)
            c.workspaces[1].files.push_back(nameOf("B", i));
        c.settings.pinnedFolders = {"Pinned"};
        FileStateStore(root / ".store/config.json", root / ".store/journal.json").saveConfig(c);
        for (int i = 0; i < perDesktop; ++i) {
            test::writeFile(desktop / nameOf("A", i), "A:" + nameOf("A", i));
            test::writeFile(root / "B" / nameOf("B", i), "B:" + nameOf("B", i));
        }
        test::writeFile(desktop / "Pinned", "pinned");
    }

    int ctl(const std::vector<std::string>& args) {
        std::vector<std::string> argv{TESSARIN_CTL};
        argv.insert(argv.end(), args.begin(), args.end());
        return test::waitFor(test::spawn(argv, env));
    }
    std::string active() const {
        return FileStateStore(root / ".store/config.json", root / ".store/journal.json")
            .loadConfig()
            .activeWorkspace;
    }

    // The contents in a folder (hidden names left out).
    static std::multiset<std::string> contents(const fs::path& dir) {
        std::multiset<std::string> found;
        for (const auto& name : listing(dir))
            found.insert(test::readFile(dir / name));
        return found;
    }

    // No journal; every item exactly once, the active desktop's on the Desktop (with the pinned item and
    // the strays), the others' in their folders. While hidden, the pinned item is in the stash, or on the
    // Desktop when a `show` was killed after bringing it back but before its journal.
    void expectConsistent(const std::string& context) {
        ASSERT_FALSE(fs::exists(root / ".store/journal.json")) << context;
        const std::string now = active();
        const bool pinnedStashed = now == blank && fs::exists(root / ".pinned/Pinned");
        std::multiset<std::string> wantDesktop;
        for (const auto& [name, content] : strays)
            wantDesktop.insert(content);
        if (!pinnedStashed)
            wantDesktop.insert("pinned");
        if (now != blank)
            for (const auto& c : contentsOf(now))
                wantDesktop.insert(c);
        ASSERT_EQ(contents(desktop), wantDesktop) << context << " active " << now;
        for (const std::string name : {"A", "B"}) {
            const auto inFolder = contents(root / name);
            const auto all = contentsOf(name);
            ASSERT_EQ(inFolder, name == now ? std::multiset<std::string>{}
                                            : std::multiset<std::string>(all.begin(), all.end()))
                << context << " " << name;
        }
        ASSERT_EQ(contents(root / ".pinned"),
                  pinnedStashed ? std::multiset<std::string>{"pinned"} : std::multiset<std::string>{})
            << context;
        ASSERT_TRUE(contents(root / blank).empty()) << context;
    }

    // Runs `step`, kills it at a random instant, then runs `recover`. True when the kill left a
    // journal, that is when it landed while items were moving.
    bool killDuring(const std::vector<std::string>& step, std::chrono::microseconds delay,
                    const std::string& context) {
        std::vector<std::string> argv{TESSARIN_CTL};
        argv.insert(argv.end(), step.begin(), step.end());
        const pid_t pid = test::spawn(argv, env);
        std::this_thread::sleep_for(delay); // the random instant
        ::kill(pid, SIGKILL);
        test::waitFor(pid);
        const bool midMove = fs::exists(root / ".store/journal.json");
        EXPECT_EQ(ctl({"recover"}), 0) << context;
        return midMove;
    }

    // How long one whole switch takes here, from the start of the process: the span the kills are spread
    // over.
    std::chrono::microseconds timedSwitch(const std::vector<std::string>& step) {
        const auto start = std::chrono::steady_clock::now();
        EXPECT_EQ(ctl(step), 0);
        return std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() -
                                                                     start);
    }
};

} // namespace

TEST(SwitchClashCrash, KilledSwitchesBetweenDesktopsSharingNamesAreFinished) {
    SharedNamesWorld w;
    ASSERT_EQ(w.ctl({"status"}), 0);
    w.expectConsistent("start");
    ASSERT_FALSE(HasFatalFailure());

    const auto span = std::max(w.timedSwitch({"switch", "B"}), w.timedSwitch({"switch", "A"}));
    std::mt19937 rng(19);
    std::uniform_int_distribution<long> delayUs(0, span.count());
    const std::vector<std::vector<std::string>> steps{{"switch", "B"}, {"switch", "A"}, {"hide"}, {"show"}};
    const std::vector<std::string> wanted{"B", "A", blank, "A"};
    int midMove = 0;
    // A loaded machine stretches the switch past the span measured above: more trials then, until
    // enough kills have landed among the moves.
    for (int trial = 0; trial < 80 || (midMove < 8 && trial < 240); ++trial) {
        const auto i = static_cast<size_t>(trial) % steps.size();
        const std::string context = "trial " + std::to_string(trial);
        midMove += w.killDuring(steps[i], std::chrono::microseconds(delayUs(rng)), context);
        w.expectConsistent(context);
        ASSERT_FALSE(HasFatalFailure());
        if (w.active() != wanted[i]) {
            ASSERT_EQ(w.ctl(steps[i]), 0) << context;
        }
        w.expectConsistent("after redo " + context);
        ASSERT_FALSE(HasFatalFailure());
    }
    EXPECT_GE(midMove, 8) << "too few kills landed while items were moving";
}

TEST(SwitchClashCrash, AStrayOnTheHiddenDesktopNamedLikeAnItemNeverWedgesTheStore) {
    SharedNamesWorld w;
    ASSERT_EQ(w.ctl({"hide"}), 0);
    // An item saved onto the hidden Desktop under a name that A (shown by `show`) and B both hold.
    w.strays = {{"shared-7", "stray"}};
    test::writeFile(w.desktop / "shared-7", "stray");
    w.expectConsistent("hidden with a stray");
    ASSERT_FALSE(HasFatalFailure());

    std::mt19937 rng(23);
    std::uniform_int_distribution<int> delayUs(0, 40000);
    for (int trial = 0; trial < 40; ++trial) {
        const std::string context = "trial " + std::to_string(trial);
        w.killDuring(trial % 2 ? std::vector<std::string>{"show"} : std::vector<std::string>{"switch", "B"},
                     std::chrono::microseconds(delayUs(rng)), context);
        w.expectConsistent(context);
        ASSERT_FALSE(HasFatalFailure());
    }
    const auto refused = test::run({TESSARIN_CTL, "show"}, w.env);
    EXPECT_EQ(refused.status, 1);
    EXPECT_NE(refused.err.find("\u201cshared-7\u201d"), std::string::npos) << refused.err;
    EXPECT_EQ(w.ctl({"status"}), 0);

    // Renamed, the stray comes along with the desktop shown.
    fs::rename(w.desktop / "shared-7", w.desktop / "shared-7 (mine)");
    ASSERT_EQ(w.ctl({"show"}), 0);
    w.strays = {{"shared-7 (mine)", "stray"}};
    w.expectConsistent("shown");
}
