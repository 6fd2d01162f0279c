#include "Artifacts.h"
#include "cycle/Carousel.h"
#include "cycle/ScrollCycleHUD.h"
#include "cycle/ScrollGesture.h"
#include "tray/HostScrollSteps.h"

#include <gtest/gtest.h>

using namespace tessarin;

namespace {

Config documentWith(const std::string& active, const std::vector<std::string>& live) {
    Config c = makeDefaultConfig();
    c.activeWorkspace = active;
    for (const auto& n : live)
        c.workspaces.push_back(Workspace::make(n));
    c.workspaces.push_back(Workspace::make(std::string(Config::blankWorkspaceName)));
    return c;
}

ScrollInput wheel(double delta) {
    return {false, false, delta};
}
ScrollInput pad(double delta) {
    return {false, true, delta};
}

} // namespace

TEST(Carousel, StepsThroughTheChosenListOrEveryPermanentDesktop) {
    struct Case {
        const char* what;
        std::string active;
        std::vector<std::string> carousel;
        std::optional<std::string> expected;
    };
    auto archive = [](Config& c, const std::string& name) {
        c.updateWorkspace(name, [](Workspace& w) { w.state = WorkspaceState::archivedSorted; });
    };
    const std::vector<Case> cases = {
        {"active not in the list: its first", "C", {"A", "B"}, "A"},
        {"next in the list", "A", {"A", "B"}, "B"},
        {"wraps to the first", "B", {"A", "B"}, "A"},
        {"names of archived and unknown desktops are skipped", "A", {"Gone", "Old", "A", "B"}, "B"},
        {"only archived names: every permanent desktop", "A", {"Old"}, "B"},
        {"a list of the active desktop alone: nothing", "A", {"A"}, std::nullopt},
    };
    for (const auto& c : cases) {
        Config doc = documentWith(c.active, {"A", "B", "C", "Old"});
        archive(doc, "Old");
        doc.settings.optionClickCarousel = c.carousel;
        EXPECT_EQ(carouselTarget(doc), c.expected) << c.what;
    }
    EXPECT_EQ(carouselTarget(makeDefaultConfig()), std::nullopt);
}

TEST(ScrollGesture, RingArithmetic) {
    struct Case {
        const char* what;
        std::vector<std::string> ring;
        std::string active;
        std::vector<ScrollInput> inputs;
        std::vector<std::pair<size_t, int>> previews; // index and slide of each preview
        std::optional<std::string> committed;
    };
    const std::vector<std::string> three = {"A", "B", "C"}, four = {"A", "B", "C", "D"};
    const std::vector<Case> cases = {
        {"wheel down moves to the next", three, "A", {wheel(-120)}, {{1, 1}}, "B"},
        {"a short ring stops at its end", three, "B", {wheel(-120), wheel(-120)}, {{2, 1}, {2, 0}}, "C"},
        {"four desktops wrap", four, "C", {wheel(-120), wheel(-120)}, {{3, 1}, {0, 1}}, "A"},
        {"four desktops wrap backwards", four, "A", {wheel(120)}, {{3, -1}}, "D"},
        {"not in the ring: down starts at the first", three, "_Hidden Desktop", {wheel(-1)}, {{0, 1}}, "A"},
        {"not in the ring: up starts at the last", three, "_Hidden Desktop", {wheel(1)}, {{2, -1}}, "C"},
        {"momentum is ignored", three, "A", {{true, true, -500}}, {}, "A"},
        {"a trackpad scroll of 250 points takes two steps", four, "A", {pad(-250)}, {{1, 1}, {2, 1}}, "C"},
        {"small trackpad deltas add up", four, "A", {pad(-40), pad(-40), pad(-40)}, {{1, 1}}, "B"},
        {"a zero wheel delta does nothing", three, "A", {wheel(0)}, {}, "A"},
    };
    for (const auto& c : cases) {
        ScrollGesture g;
        std::vector<std::pair<size_t, int>> seen;
        for (const auto& in : c.inputs)
            for (const auto& p : g.handle(in, c.ring, c.active))
                seen.push_back({p.index, p.slide});
        EXPECT_EQ(seen, c.previews) << c.what;
        const auto chosen = g.commit();
        EXPECT_EQ(chosen.value_or(c.active), c.committed.value_or(c.active)) << c.what;
        EXPECT_FALSE(g.scrolling());
        EXPECT_FALSE(g.index());
        EXPECT_EQ(g.accumulated(), 0);
    }
    // The ring is frozen for the gesture: a ring changed half-way is not looked at.
    ScrollGesture g;
    g.handle(wheel(-1), three, "A");
    const auto p = g.handle(wheel(-1), {"A", "X"}, "X");
    ASSERT_EQ(p.size(), 1u);
    EXPECT_EQ(p[0].ring, three);
    EXPECT_EQ(g.commit(), "C");
}

TEST(HostScrollSteps, EachHostsUnitsMakeOneStepPerNotch) {
    using Units = HostScrollSteps::Units;
    struct Case {
        Units units;
        std::vector<int> deltas;
        std::vector<int> steps; // of each call: negative upwards
    } cases[] = {
        {Units::learned, {-120, 120, -40, -50, -30}, {1, -1, 0, 0, 1}}, // Qt host: notches, touchpad thirds
        {Units::learned, {-100, 60, 60}, {0, 0, -1}},                   // turning back starts afresh
        {Units::learned, {1, -1, 3}, {1, -1, 3}},                       // GTK host: a unit a notch, down
        {Units::qt, {15, 15, 15, 15, 15, 15, 15, 15}, {0, 0, 0, 0, 0, 0, 0, -1}}, // high-resolution wheel
    };
    for (const auto& c : cases) {
        HostScrollSteps steps(c.units);
        std::vector<int> seen;
        for (int d : c.deltas)
            seen.push_back(steps.feed(d));
        EXPECT_EQ(seen, c.steps);
    }
}

TEST(ScrollCycleHUD, LabelsAndSize) {
    struct Case {
        std::vector<std::string> ring;
        size_t index;
        bool wraps;
        std::optional<HudLabels> labels;
    };
    const Case cases[] = {
        {{"A", "B", "C", "D"}, 0, true, HudLabels{"D", "A", "B"}},
        {{"A", "B", "C", "D"}, 3, true, HudLabels{"C", "D", "A"}},
        {{"A", "B", "C"}, 0, false, HudLabels{"", "A", "B"}},
        {{"A", "B", "C"}, 2, false, HudLabels{"B", "C", ""}},
        {{"A"}, 0, true, HudLabels{"", "A", ""}},
        {{"A", "B"}, 2, false, std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(hudLabels(c.ring, c.index, c.wraps), c.labels) << c.index;
    ScrollCycleHUD hud;
    hud.show({"Home", "Work", "A rather long name for a desktop"}, 1, false, 0);
    EXPECT_EQ(hud.currentLabel().text(), QStringLiteral("Work"));
    EXPECT_EQ(hud.previousLabel().text(), QStringLiteral("Home"));
    // Wide enough for the longest name.
    EXPECT_GE(hud.width(),
              QFontMetricsF(hud.nextLabel().font()).horizontalAdvance("A rather long name for a desktop"));
    test::saveArtifact(hud.grab().toImage(), "scroll-hud-offscreen.png");
    hud.show({"Home"}, 5, false, 0); // outside the ring: nothing changes
    EXPECT_EQ(hud.currentLabel().text(), QStringLiteral("Work"));
}
