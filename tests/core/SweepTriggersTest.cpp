// Where the sweeps run outside the sweeper itself: inside a switch, on "Sort now", on a Desktop change,
// and the dock's drop of Desktop files onto a desktop.
#include "session/SweepTriggers.h"

#include "session/BusyTest.h"
#include "session/DockDrop.h"
#include "session/SwitchSequence.h"
#include "support/FaultySurface.h"
#include "support/World.h"

#include <algorithm>
#include <gtest/gtest.h>

using namespace tessarin;
using test::rule;
using test::World;
using Names = std::set<std::string>;

namespace {

void sortingOn(Config& c) {
    World::screenshotsOn(c);
    c.settings.customFiltersEnabled = true;
    c.settings.customFilters = {rule("tax", "Finance")};
}

// Records the order of the sequence's steps as seen from outside.
struct StepLog : SwitchObserver {
    World& world;
    std::vector<std::string> steps;
    explicit StepLog(World& w) : world(w) {}
    void willSwitch(const Config&, const std::string& leaving, const std::string& target) override {
        steps.push_back("willSwitch " + leaving + "->" + target +
                        " desktop=" + std::to_string(world.desktop().size()));
    }
    void didSwitch(const std::string&, const std::string&, bool,
                   std::chrono::steady_clock::time_point) override {
        steps.push_back("didSwitch");
    }
};

} // namespace

TEST(SweepTriggers, TheSwitchSweepsTheOutgoingDesktopBeforeTheSwap) {
    World w;
    w.document("A", {"A", "B", "Screenshots", "Finance"}, sortingOn);
    w.item(w.paths.desktop, "Screenshot 1.png");
    w.item(w.paths.desktop, "a.txt");
    w.item(w.folder("B"), "b.txt");
    ManualClock clock;
    SwitchSequence sequence(w.store, w.swapper, w.log, clock);
    StepLog observer(w);
    sequence.setObserver(&observer);
    sequence.setSweeps(&w.sweeps);

    const auto outcome = sequence.performSwitch("B", true);
    EXPECT_EQ(outcome.result, SwitchOutcome::Result::switched);
    EXPECT_EQ(observer.steps, (std::vector<std::string>{"willSwitch A->B desktop=2", "didSwitch"}));
    EXPECT_EQ(w.desktop(), Names{"b.txt"});
    EXPECT_EQ(w.in("A"), Names{"a.txt"}); // the screenshot did not travel with A
    EXPECT_EQ(w.in("Screenshots"), Names{"Screenshot 1.png"});
    const Config c = w.store.loadConfig();
    EXPECT_EQ(c.findWorkspace("A")->files, std::vector<std::string>{"a.txt"});
    EXPECT_EQ(c.findWorkspace("Screenshots")->files, std::vector<std::string>{"Screenshot 1.png"});
}

TEST(SweepTriggers, SortNowAndDesktopChanges) {
    struct Case {
        const char* what;
        bool screenshots;
        bool rules;
        bool swapping;
        bool journal;
        bool sweeps;
    } cases[] = {
        {"only screenshots", true, false, false, false, true},
        {"only rules", false, true, false, false, true},
        {"neither", false, false, false, false, false},
        {"mid-switch", true, true, true, false, false},
        {"journal pending", true, true, false, true, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        World w;
        w.document("A", {"A", "Screenshots", "Finance"}, [&](Config& d) {
            sortingOn(d);
            d.settings.filterScreenshots = c.screenshots;
            d.settings.customFiltersEnabled = c.rules;
        });
        if (c.journal)
            w.store.saveJournal(Journal{});
        int refreshes = 0;
        SweepTriggers triggers(
            w.store, w.sweeps, [&] { return switchInProgress(c.swapping, w.store); }, [&] { ++refreshes; });
        w.item(w.paths.desktop, "Screenshot 1.png");
        w.item(w.paths.desktop, "tax.pdf");

        EXPECT_EQ(triggers.onDesktopChanged(), c.sweeps);
        EXPECT_EQ(refreshes, c.sweeps ? 1 : 0);
        EXPECT_EQ(w.desktop().size(), 2u - (c.sweeps ? (c.screenshots ? 1u : 0u) + (c.rules ? 1u : 0u) : 0u));

        // Sort now runs whatever the guards say; each sweep applies its own switch.
        triggers.sweepActiveDesktopNow();
        EXPECT_EQ(refreshes, c.sweeps ? 2 : 1);
        EXPECT_EQ(w.desktop().contains("Screenshot 1.png"), !c.screenshots);
        EXPECT_EQ(w.desktop().contains("tax.pdf"), !c.rules);
    }
}

TEST(SweepTriggers, AnUnreadableDocumentSortsNothing) {
    World w;
    w.document("A", {"A", "Screenshots"}, sortingOn);
    test::writeFile(w.paths.config, "{not json");
    w.item(w.paths.desktop, "Screenshot 1.png");
    int refreshes = 0;
    SweepTriggers triggers(w.store, w.sweeps, {}, [&] { ++refreshes; });
    triggers.sweepActiveDesktopNow();
    EXPECT_FALSE(triggers.onDesktopChanged());
    EXPECT_EQ(refreshes, 1);
    EXPECT_EQ(w.desktop(), Names{"Screenshot 1.png"});
    EXPECT_EQ(test::readFile(w.paths.config), "{not json");
}

// A name the document can't hold would make the target's next save fail, and with it every switch to
// that desktop: such an item stays on the Desktop, with a log line, and the rest is sorted.
TEST(SweepTriggers, NamesThatCantBeRecordedStayOnTheDesktop) {
    struct Case {
        const char* what;
        std::string target;
        std::string recordable;
        std::string unrecordable;
    } cases[] = {
        {"screenshots", "Screenshots", "Screenshot 1.png", "Screenshot \xff.png"},
        {"a custom rule", "Finance", "tax.pdf", "tax \xff.pdf"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        World w;
        w.document("A", {"A", "Screenshots", "Finance"}, sortingOn);
        w.item(w.paths.desktop, c.recordable);
        w.item(w.paths.desktop, c.unrecordable);
        SweepTriggers(w.store, w.sweeps, {}, {}).sweepActiveDesktopNow();
        EXPECT_EQ(w.desktop(), Names{c.unrecordable});
        EXPECT_EQ(w.in(c.target), Names{c.recordable});
        const auto lines = w.sweepLog();
        EXPECT_TRUE(std::any_of(lines.begin(), lines.end(), [](const std::string& line) {
            return line.find("not valid UTF-8") != std::string::npos;
        }));

        // The target's folder and its record still agree: it can be switched to. The stray goes aside
        // first, as a switch refuses to carry a name it can't record.
        std::filesystem::rename(w.paths.desktop / c.unrecordable, w.home.path() / "aside");
        ManualClock clock;
        SwitchSequence sequence(w.store, w.swapper, w.log, clock);
        EXPECT_EQ(sequence.performSwitch(c.target, true).result, SwitchOutcome::Result::switched);
        EXPECT_EQ(w.desktop(), Names{c.recordable});
    }
}

TEST(SweepTriggers, DockDrops) {
    namespace fs = std::filesystem;
    struct Case {
        const char* what;
        std::string target;
        std::vector<std::string> dropped; // relative to the home folder
        bool busy;
        int failMove;
        Names moved;
    } cases[] = {
        {"two Desktop files", "B", {"Desktop/one.txt", "Desktop/two.txt"}, false, 0, {"one.txt", "two.txt"}},
        {"onto the active desktop", "A", {"Desktop/one.txt"}, false, 0, {}},
        {"onto no desktop", "Nope", {"Desktop/one.txt"}, false, 0, {}},
        {"onto an archived desktop", "Old", {"Desktop/one.txt"}, false, 0, {}},
        {"from a subfolder or elsewhere", "B", {"Desktop/sub/inner.txt", "elsewhere.txt"}, false, 0, {}},
        {"a pinned item", "B", {"Desktop/pinned.txt", "Desktop/one.txt"}, false, 0, {"one.txt"}},
        {"one move fails", "B", {"Desktop/one.txt", "Desktop/two.txt"}, false, 1, {"two.txt"}},
        {"a folder given with a trailing slash", "B", {"Desktop/dir/"}, false, 0, {"dir"}},
        {"mid-switch", "B", {"Desktop/one.txt"}, true, 0, {}},
        {"a name that is not UTF-8", "B", {"Desktop/bad\xff.txt", "Desktop/one.txt"}, false, 0, {"one.txt"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        World w;
        w.document("A", {"A", "B", "Old"}, [](Config& d) {
            d.settings.pinnedFolders = {"pinned.txt"};
            d.findWorkspace("Old")->state = WorkspaceState::archivedSorted;
            d.updateWorkspace("A", [](Workspace& a) { a.files = {"one.txt", "two.txt", "pinned.txt"}; });
            d.updateWorkspace("B", [](Workspace& b) { b.files = {"two.txt"}; });
        });
        for (const auto* name :
             {"one.txt", "two.txt", "pinned.txt", "sub/inner.txt", "dir/inside.txt", "bad\xff.txt"})
            w.item(w.paths.desktop, name);
        w.item(w.home.path(), "elsewhere.txt");
        test::FaultySurface faulty(w.surface);
        if (c.failMove)
            faulty.failMove(c.failMove, EACCES);
        int refreshes = 0;
        Log log;
        DockDrop drop(
            w.store, faulty, log, w.paths.desktop, [&] { return c.busy; }, [&] { ++refreshes; });
        std::vector<fs::path> items;
        for (const auto& d : c.dropped)
            items.push_back(w.home.path() / d);

        const auto moved = drop.handleDockDrop(items, c.target);
        EXPECT_EQ(Names(moved.begin(), moved.end()), c.moved);
        EXPECT_EQ(refreshes, c.moved.empty() ? 0 : 1);
        EXPECT_EQ(w.in("B"), c.moved);
        EXPECT_FALSE(fs::exists(w.folder("Old")));
        const Config d = w.store.loadConfig();
        for (const auto& name : c.moved) {
            EXPECT_EQ(
                std::count(d.findWorkspace("B")->files.begin(), d.findWorkspace("B")->files.end(), name), 1);
            EXPECT_EQ(
                std::count(d.findWorkspace("A")->files.begin(), d.findWorkspace("A")->files.end(), name), 0);
        }
        EXPECT_TRUE(d.findWorkspace("B")->positions.empty());
        EXPECT_TRUE(fs::exists(w.home.path() / "elsewhere.txt"));
        EXPECT_TRUE(fs::exists(w.paths.desktop / "sub/inner.txt"));
    }
}
