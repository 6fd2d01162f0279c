#include "triggers/SpaceFollower.h"

#include <gtest/gtest.h>

using namespace tessarin;
using namespace std::chrono_literals;

namespace {

// A timer whose clock moves only when the test says so.
class ManualTaskTimer : public TaskTimer {
public:
    void start(std::chrono::milliseconds delay, std::function<void()> task) override {
        due_ = now_ + delay;
        task_ = std::move(task);
    }
    void cancel() override { task_ = nullptr; }
    void runUntil(std::chrono::milliseconds time) {
        while (task_ && due_ <= time) {
            now_ = due_;
            auto task = std::move(task_);
            task_ = nullptr;
            task();
        }
        now_ = time;
    }
    std::chrono::milliseconds now() const { return now_; }

private:
    std::chrono::milliseconds now_{0};
    std::chrono::milliseconds due_{0};
    std::function<void()> task_;
};

// Workspaces as the window manager would report them; "F" is a full-screen one.
class ScriptedSpaces : public SpaceIdentifier {
public:
    bool available() const override { return true; }
    std::string unavailableReason() const override { return {}; }
    std::optional<SpaceInfo> activeSpace() const override { return SpaceInfo{active, active != "F", 1}; }
    std::vector<std::string> userSpaceIdentities() const override { return {"A", "B", "C"}; }
    std::string active = "A";
};

struct Step {
    std::chrono::milliseconds at;
    enum { change, moveQuietly, screens, adopt, stop } what;
    std::string space;
};

struct Asked {
    std::chrono::milliseconds at;
    std::string space;
    bool operator==(const Asked&) const = default;
};

void PrintTo(const Asked& a, std::ostream* os) {
    *os << a.space << "@" << a.at.count() << "ms";
}

struct Case {
    const char* what;
    std::vector<Step> steps;
    std::vector<SpaceFollowResult> answers; // in order; "done" once they run out
    std::vector<Asked> expected;
};

} // namespace

TEST(SpaceFollower, AsksOncePerSettledChangeRetriesWhileBusyAndVerifiesSwitches) {
    using R = SpaceFollowResult;
    const std::vector<Case> cases = {
        {"three changes 0.2 s apart are asked about once, 0.6 s after the last",
         {{0ms, Step::change, "B"}, {200ms, Step::change, "C"}, {400ms, Step::change, "B"}},
         {},
         {{1000ms, "B"}}},
        {"an unbound workspace counts as handled; going back where we came from asks again",
         {{0ms, Step::change, "B"}, {1000ms, Step::change, "A"}},
         {R::done, R::done},
         {{600ms, "B"}, {1600ms, "A"}}},
        {"back on the handled workspace before settling: nothing to ask",
         {{0ms, Step::change, "B"}, {100ms, Step::change, "A"}},
         {},
         {}},
        {"a switch is checked 0.25 s later, catching a workspace changed during it",
         {{0ms, Step::change, "B"}, {700ms, Step::moveQuietly, "C"}},
         {R::switched, R::done},
         {{600ms, "B"}, {850ms, "C"}}},
        {"busy six times: five retries 0.3 s apart, then the change is dropped",
         {{0ms, Step::change, "B"}},
         {R::busy, R::busy, R::busy, R::busy, R::busy, R::busy},
         {{600ms, "B"}, {900ms, "B"}, {1200ms, "B"}, {1500ms, "B"}, {1800ms, "B"}, {2100ms, "B"}}},
        {"a display change adopts the workspace after 3 s without asking",
         {{0ms, Step::screens, ""}, {100ms, Step::moveQuietly, "B"}, {4000ms, Step::change, "B"}},
         {},
         {}},
        {"a switch made by other means adopts the workspace and drops the pending question",
         {{0ms, Step::change, "B"}, {300ms, Step::adopt, ""}, {1000ms, Step::change, "B"}},
         {},
         {}},
        {"a full-screen workspace is never asked about", {{0ms, Step::change, "F"}}, {}, {}},
        {"stopped: changes ask nothing", {{0ms, Step::stop, ""}, {100ms, Step::change, "B"}}, {}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ScriptedSpaces spaces;
        ManualTaskTimer timer;
        std::vector<Asked> asked;
        size_t answered = 0;
        SpaceFollower follower(spaces, timer, [&](const std::string& space) {
            asked.push_back({timer.now(), space});
            return answered < c.answers.size() ? c.answers[answered++] : R::done;
        });
        follower.start();
        for (const auto& step : c.steps) {
            timer.runUntil(step.at);
            switch (step.what) {
            case Step::change:
                spaces.active = step.space;
                follower.spaceChanged();
                break;
            case Step::moveQuietly:
                spaces.active = step.space;
                break;
            case Step::screens:
                follower.screensChanged();
                break;
            case Step::adopt:
                follower.adoptCurrentSpace();
                break;
            case Step::stop:
                follower.stop();
                break;
            }
        }
        timer.runUntil(10'000ms);
        EXPECT_EQ(asked, c.expected);
    }
}
