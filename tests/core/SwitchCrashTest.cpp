// tessarinctl switches between two desktops and is killed at random instants. After every kill the next
// command must leave every item exactly once, in its place, and never wedge the store.
#include "support/KillLoop.h"
#include "support/World.h"

#include <gtest/gtest.h>
#include <set>

using namespace tessarin;
namespace fs = std::filesystem;
using Contents = std::multiset<std::string>;

namespace {

const std::string blank(Config::blankWorkspaceName);
// Each step's command and the desktop it leaves active: A->B, B->A, A->hidden, hidden->A.
const std::vector<std::vector<std::string>> steps{{"switch", "B"}, {"switch", "A"}, {"hide"}, {"show"}};
const std::vector<std::string> wanted{"B", "A", blank, "A"};

// Desktops A (on the Desktop) and B of `perDesktop` items each, the first `shared` of them with the same
// names in both, so that an item is told by its content, "A:<name>" or "B:<name>"; and a pinned folder.
struct CrashWorld : test::World {
    int perDesktop, shared;
    std::map<std::string, std::string> strays; // name -> content, put on the hidden Desktop

    CrashWorld(int items, int sharedNames) : perDesktop(items), shared(sharedNames) {
        Config c = document("A", {"A", "B"}, {"Pinned"});
        for (int i = 0; i < perDesktop; ++i) {
            c.workspaces[1].files.push_back(nameOf("B", i));
            put(paths.desktop / nameOf("A", i), "A:" + nameOf("A", i));
            put(folder("B") / nameOf("B", i), "B:" + nameOf("B", i));
        }
        store.saveConfig(c);
        put(paths.desktop / "Pinned/inside", "pinned");
    }

    std::string nameOf(const std::string& desktop, int i) const {
        return (i < shared ? "shared" : desktop) + "-" + std::to_string(i);
    }
    Contents contentsOf(const std::string& desktop) const {
        Contents all;
        for (int i = 0; i < perDesktop; ++i)
            all.insert(desktop + ":" + nameOf(desktop, i));
        return all;
    }
    // The contents in a folder, a folder standing for "dir:" and its "inside" file; hidden names left out.
    // An item of a name no other desktop has is told by its name: reading a thousand files twice a trial
    // would take most of the test's time.
    Contents contents(const fs::path& dir) const {
        Contents found;
        for (const auto& name : listing(dir)) {
            if (name.starts_with("."))
                continue;
            if (!name.starts_with("shared") && (name.starts_with("A-") || name.starts_with("B-")))
                found.insert(name.substr(0, 1) + ":" + name);
            else
                found.insert(fs::is_directory(dir / name) ? "dir:" + test::readFile(dir / name / "inside")
                                                          : test::readFile(dir / name));
        }
        return found;
    }
    std::string active() { return load().activeWorkspace; }

    // No journal; every item exactly once: the active desktop's on the Desktop with the strays, the
    // others' in their folders and in the document. The pinned folder is on the Desktop, or in the stash
    // while the Desktop is hidden (a `show` killed after bringing it back leaves it on the Desktop).
    void expectConsistent(const std::string& context) {
        ASSERT_FALSE(fs::exists(paths.journal)) << context;
        const Config c = load();
        const std::string now = c.activeWorkspace;
        const bool stashed = now == blank && fs::exists(paths.pinnedStash / "Pinned");
        Contents wantDesktop = now == blank ? Contents{} : contentsOf(now);
        for (const auto& [name, content] : strays)
            wantDesktop.insert(content);
        if (!stashed)
            wantDesktop.insert("dir:pinned");
        ASSERT_EQ(contents(paths.desktop), wantDesktop) << context << " active " << now;
        ASSERT_EQ(contents(paths.pinnedStash), stashed ? Contents{"dir:pinned"} : Contents{}) << context;
        for (const std::string name : {"A", "B"}) {
            ASSERT_EQ(contents(folder(name)), name == now ? Contents{} : contentsOf(name)) << context << name;
            if (name != now) {
                const auto& recorded = c.findWorkspace(name)->files;
                ASSERT_EQ(std::set<std::string>(recorded.begin(), recorded.end()), listing(folder(name)))
                    << context;
            }
        }
        ASSERT_TRUE(contents(folder(blank)).empty()) << context;
    }

    // Kills `step` at the loop's next instant and runs `recover`. True when the kill left a journal, that
    // is when it landed while items were moving.
    bool killDuring(test::KillLoop& loop, const std::vector<std::string>& step, const std::string& context) {
        loop.kill(argv(step), env);
        const bool midMove = fs::exists(paths.journal);
        EXPECT_EQ(ctl({"recover"}).status, 0) << context;
        return midMove;
    }
    // After a kill: the step is done again unless it took effect before the kill.
    void redo(std::size_t i, const std::string& context) {
        if (active() != wanted[i]) {
            ASSERT_EQ(ctl(steps[i]).status, 0) << context;
        }
        expectConsistent("after redo " + context);
    }
};

} // namespace

TEST(SwitchCrash, KilledSwitchesAreFinishedByTheNextCommand) {
    CrashWorld w(1000, 0);
    ASSERT_EQ(w.ctl({"status"}).status, 0);
    w.expectConsistent("start");
    ASSERT_FALSE(HasFatalFailure());

    test::KillLoop loop(7, std::chrono::microseconds(60000));
    constexpr int trialsPerDirection = 100;
    int interrupted = 0;
    test::KillLoop::trials(trialsPerDirection * 4, 0, {}, [&](int trial) {
        const auto i = static_cast<std::size_t>(trial) % steps.size();
        const std::string context = "trial " + std::to_string(trial);
        interrupted += loop.kill(w.argv(steps[i]), w.env) == 128 + SIGKILL;
        ASSERT_EQ(w.ctl({"recover"}).status, 0) << context;
        w.expectConsistent(context);
        ASSERT_FALSE(HasFatalFailure());
        w.redo(i, context);
    });
    EXPECT_GT(interrupted, trialsPerDirection); // most kills landed while the command ran
}

TEST(SwitchCrash, ConcurrentCommandsTakeTurnsOnTheStore) {
    CrashWorld w(1000, 0);
    ASSERT_EQ(w.ctl({"status"}).status, 0);
    for (int round = 0; round < 15; ++round) {
        const pid_t one = test::spawn(w.argv({"switch", "B"}), w.env);
        const pid_t two = test::spawn(w.argv(round % 2 ? steps[2] : steps[1]), w.env);
        ASSERT_EQ(test::waitFor(one), 0) << "round " << round;
        ASSERT_EQ(test::waitFor(two), 0) << "round " << round;
        w.expectConsistent("round " + std::to_string(round));
        ASSERT_FALSE(HasFatalFailure());
    }
}

TEST(SwitchClashCrash, KilledSwitchesBetweenDesktopsSharingNamesAreFinished) {
    CrashWorld w(200, 150);
    ASSERT_EQ(w.ctl({"status"}).status, 0);
    w.expectConsistent("start");
    ASSERT_FALSE(HasFatalFailure());

    // The kills are spread over one whole switch as measured here.
    const auto span = std::max(test::KillLoop::timed([&] { EXPECT_EQ(w.ctl(steps[0]).status, 0); }),
                               test::KillLoop::timed([&] { EXPECT_EQ(w.ctl(steps[1]).status, 0); }));
    test::KillLoop loop(19, span);
    int midMove = 0;
    // A loaded machine stretches the switch past the span measured: more trials then, until enough kills
    // have landed among the moves.
    test::KillLoop::trials(
        80, 240, [&] { return midMove < 8; },
        [&](int trial) {
            const auto i = static_cast<std::size_t>(trial) % steps.size();
            const std::string context = "trial " + std::to_string(trial);
            midMove += w.killDuring(loop, steps[i], context);
            w.expectConsistent(context);
            ASSERT_FALSE(HasFatalFailure());
            w.redo(i, context);
        });
    EXPECT_GE(midMove, 8) << "too few kills landed while items were moving";
}

TEST(SwitchClashCrash, AStrayOnTheHiddenDesktopNamedLikeAnItemNeverWedgesTheStore) {
    CrashWorld w(200, 150);
    ASSERT_EQ(w.ctl({"hide"}).status, 0);
    // An item saved onto the hidden Desktop under a name that A (shown by `show`) and B both hold.
    w.strays = {{"shared-7", "stray"}};
    w.put(w.paths.desktop / "shared-7", "stray");
    w.expectConsistent("hidden with a stray");
    ASSERT_FALSE(HasFatalFailure());

    test::KillLoop loop(23, std::chrono::microseconds(40000));
    test::KillLoop::trials(40, 0, {}, [&](int trial) {
        const std::string context = "trial " + std::to_string(trial);
        w.killDuring(loop, trial % 2 ? steps[3] : steps[0], context);
        w.expectConsistent(context);
    });
    ASSERT_FALSE(HasFatalFailure());
    const auto refused = w.ctl({"show"});
    EXPECT_EQ(refused.status, 1);
    EXPECT_NE(refused.err.find("\u201cshared-7\u201d"), std::string::npos) << refused.err;
    EXPECT_EQ(w.ctl({"status"}).status, 0);

    // Renamed, the stray comes along with the desktop shown.
    fs::rename(w.paths.desktop / "shared-7", w.paths.desktop / "shared-7 (mine)");
    ASSERT_EQ(w.ctl({"show"}).status, 0);
    w.strays = {{"shared-7 (mine)", "stray"}};
    w.expectConsistent("shown");
}
