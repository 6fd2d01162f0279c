#include "session/SwitchSequence.h"

#include "support/World.h"

#include <gtest/gtest.h>

using namespace tessarin;
using test::World;
using Result = SwitchOutcome::Result;

namespace {

const std::string blank(Config::blankWorkspaceName);

struct Recorder : SwitchObserver {
    std::vector<std::string> steps;
    ManualClock* clock = nullptr;
    double coverSeconds = 0;   // how long the cover takes to go up
    double rebuildSeconds = 0; // how long the menu takes to rebuild
    void willSwitch(const Config&, const std::string& l, const std::string& t) override {
        steps.push_back("will " + l + ">" + t);
        clock->advance(coverSeconds);
    }
    void prepareTarget(const Config&, const std::string& t) override { steps.push_back("prepare " + t); }
    void present(const std::exception& e) override { steps.push_back(std::string("present ") + e.what()); }
    void swapped() override {
        steps.push_back("swapped");
        clock->advance(rebuildSeconds);
    }
    void didSwitch(const std::string& l, const std::string& t, bool user,
                   std::chrono::steady_clock::time_point) override {
        steps.push_back("did " + l + ">" + t + (user ? " user" : ""));
    }
    void notePinnedSkips(const std::vector<std::string>& n) override {
        steps.push_back(pinnedSkipsMessage(n));
    }
    void finished() override { steps.push_back("finished"); }
};

struct SequenceWorld : World {
    Recorder recorder;
    SwitchSequence sequence{store, swapper, log, clock, &recorder};

    SequenceWorld() {
        clock.set(Date{1000});
        recorder.clock = &clock;
        // C is temporary: not in the cycle.
        document("A", {"A", "B", "C"},
                 [](Config& c) { c.findWorkspace("C")->type = WorkspaceType::temporary; });
    }
    std::string active() { return store.loadConfig().activeWorkspace; }
};

} // namespace

TEST(SwitchSequence, StepsLogLinePreviousDesktopAndStamp) {
    SequenceWorld w;
    w.clock.set(Date{5000});
    // The cover's time is left out of the logged milliseconds; the menu's rebuild is counted.
    w.recorder.coverSeconds = 0.25;
    w.recorder.rebuildSeconds = 0.0625;
    const auto outcome = w.sequence.performSwitch("B", true);
    EXPECT_EQ(outcome.result, Result::switched);
    EXPECT_EQ(w.recorder.steps,
              (std::vector<std::string>{"will A>B", "prepare B", "swapped", "did A>B user", "finished"}));
    ASSERT_EQ(w.log.recent(1).size(), 1u);
    EXPECT_EQ(w.log.recent(1)[0].message, "switched A → B in 62ms, 0 pinned-name skips");
    EXPECT_EQ(w.sequence.previousWorkspace(), "A");
    EXPECT_EQ(w.store.loadConfig().findWorkspace("B")->lastActiveAt, Date{5000.3125});
    w.recorder.coverSeconds = w.recorder.rebuildSeconds = 0;
    EXPECT_FALSE(w.sequence.isSwapping());

    // A name that is no desktop is presented and nothing else happens: no cover, no log line of a switch.
    struct Case {
        bool shown;
        std::vector<std::string> steps;
        std::string logged;
    } cases[] = {
        {true, {"present There is no desktop called \u201cNowhere\u201d."}, "surfaced to the user: "},
        {false, {}, "reported to the requester: "},
    };
    for (const auto& c : cases) {
        w.recorder.steps.clear();
        w.sequence.setFailuresShown(c.shown);
        const auto failed = w.sequence.performSwitch("Nowhere", true);
        EXPECT_EQ(failed.result, Result::failed);
        EXPECT_EQ(w.recorder.steps, c.steps);
        EXPECT_EQ(w.log.recent(1)[0].message, c.logged + failed.error);
        EXPECT_EQ(w.sequence.previousWorkspace(), "A");
        EXPECT_EQ(w.active(), "B");
    }
}

TEST(SwitchSequence, ReadOnlySessionDoesNothing) {
    SequenceWorld w;
    w.sequence.setReadOnly(true);
    EXPECT_EQ(w.sequence.performSwitch("B", true).result, Result::readOnly);
    EXPECT_EQ(w.sequence.toggleCollapse().result, Result::readOnly);
    EXPECT_TRUE(w.recorder.steps.empty());
    EXPECT_EQ(w.active(), "A");
}

TEST(SwitchSequence, CollapseExpandLastAndCycle) {
    SequenceWorld w;
    struct Step {
        std::function<SwitchOutcome(SwitchSequence&)> action;
        std::string active;
    } steps[] = {
        {[](SwitchSequence& s) { return s.cycle(+1); }, "B"},
        {[](SwitchSequence& s) { return s.cycle(+1); }, "A"}, // wraps; C is temporary
        {[](SwitchSequence& s) { return s.cycle(-1); }, "B"},
        {[](SwitchSequence& s) { return s.toggleCollapse(); }, blank},
        {[](SwitchSequence& s) { return s.toggleCollapse(); }, "B"}, // the hidden one comes back
        {[](SwitchSequence& s) { return s.switchToLastDesktop(); }, blank},
        {[](SwitchSequence& s) { return s.performSwitch("C", true); }, "C"},
        {[](SwitchSequence& s) { return s.cycle(-1); }, "B"}, // from outside the cycle: the last
        {[](SwitchSequence& s) { return s.performSwitch("C", true); }, "C"},
        {[](SwitchSequence& s) { return s.cycle(+1); }, "A"}, // from outside the cycle: the first
    };
    int i = 0;
    for (const auto& step : steps) {
        step.action(w.sequence);
        EXPECT_EQ(w.active(), step.active) << "step " << i++;
    }
    // The previous desktop was archived meanwhile: nothing happens.
    mutateConfig(w.store, [](Config& c) {
        c.updateWorkspace("C", [](Workspace& ws) { ws.state = WorkspaceState::archivedUnsorted; });
    });
    EXPECT_EQ(w.sequence.switchToLastDesktop().result, Result::nothingToDo);
    EXPECT_EQ(w.active(), "A");
}

TEST(SwitchSequence, PinnedNameNoteTexts) {
    EXPECT_EQ(pinnedSkipsMessage({"a", "b", "c"}), "3 items stayed in their desktop's folder");
    EXPECT_NE(pinnedSkipsInformativeText({"a", "b", "c"}).find("didn't bring them out"), std::string::npos);
    EXPECT_NE(pinnedSkipsInformativeText({"a"}).find("didn't bring it out"), std::string::npos);

    SequenceWorld w;
    mutateConfig(w.store, [](Config& c) { c.settings.pinnedFolders = {"P"}; });
    w.item(w.paths.desktop, "P");
    w.item(w.folder("B"), "P");
    w.sequence.performSwitch("B", true);
    EXPECT_EQ(w.recorder.steps[4], "\u201cP\u201d stayed in its desktop's folder");
    EXPECT_EQ(w.log.recent(1)[0].message, "switched A → B in 0ms, 1 pinned-name skips");
}
