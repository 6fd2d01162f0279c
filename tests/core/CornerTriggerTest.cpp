#include "triggers/CornerTrigger.h"

#include "triggers/CornerHitTest.h"

#include <gtest/gtest.h>

using namespace tessarin;

TEST(CornerHitTest, SquaresAreFourPointsInsideEachCornerWithInclusiveEdges) {
    using C = FloatingDockCorner;
    const Rect screen{0, 0, 1440, 900}; // y grows upwards: the top edge is at 900
    const Rect second{1440, 100, 1280, 800};
    struct Case {
        C corner;
        Rect screen;
        std::optional<Rect> square;
        Point inside, outside;
    };
    const Case cases[] = {
        {C::topRight, screen, Rect{1436, 896, 4, 4}, {1440, 900}, {1435.9, 900}},
        {C::topLeft, screen, Rect{0, 896, 4, 4}, {0, 900}, {4.1, 899}},
        {C::bottomLeft, screen, Rect{0, 0, 4, 4}, {4, 4}, {2, 4.01}},
        {C::bottomRight, screen, Rect{1436, 0, 4, 4}, {1436, 0}, {1436, -0.5}},
        {C::topLeft, second, Rect{1440, 896, 4, 4}, {1442, 897}, {1439, 897}},
        {C::off, screen, std::nullopt, {}, {}},
    };
    for (const auto& c : cases) {
        const auto square = CornerHitTest::rect(c.corner, c.screen);
        ASSERT_EQ(square, c.square) << enumName(c.corner);
        if (!square)
            continue;
        EXPECT_TRUE(CornerHitTest::contains(c.inside, *square)) << enumName(c.corner);
        EXPECT_FALSE(CornerHitTest::contains(c.outside, *square)) << enumName(c.corner);
        EXPECT_TRUE(CornerHitTest::isInside({Rect{9000, 9000, 4, 4}, *square}, c.inside));
    }
    EXPECT_FALSE(CornerHitTest::isInside({}, {0, 0}));
}

TEST(CornerTrigger, MovementsTurnIntoDwellsAndOneFirePerVisit) {
    using O = CornerTrigger::Outcome;
    // One step: the pointer moved (inside the corner or not, dragging or not), or the dwell ran out.
    struct Step {
        enum Kind { move, drag, leave, dwellEnds } kind;
        O outcome = O::idle; // for movements
        bool fires = false;  // for a dwell that ends
    };
    using K = Step::Kind;
    struct Case {
        const char* what;
        std::vector<Step> steps;
    };
    const Case cases[] = {
        {"resting longer than the dwell fires once",
         {{K::move, O::startDwell},
          {K::move, O::idle},
          {K::dwellEnds, O::idle, true},
          {K::move, O::idle},
          {K::move, O::idle}}},
        {"leaving and coming back fires again",
         {{K::move, O::startDwell},
          {K::dwellEnds, O::idle, true},
          {K::leave, O::idle},
          {K::move, O::startDwell},
          {K::dwellEnds, O::idle, true}}},
        {"leaving while dwelling cancels the dwell",
         {{K::move, O::startDwell}, {K::leave, O::cancelDwell}, {K::dwellEnds, O::idle, false}}},
        {"a drag into the corner never fires",
         {{K::drag, O::idle}, {K::drag, O::idle}, {K::dwellEnds, O::idle, false}}},
        {"a drag while dwelling cancels; the next plain move dwells again",
         {{K::move, O::startDwell},
          {K::drag, O::cancelDwell},
          {K::dwellEnds, O::idle, false},
          {K::move, O::startDwell},
          {K::dwellEnds, O::idle, true}}},
    };
    for (const auto& c : cases) {
        CornerTrigger trigger;
        int index = 0;
        for (const auto& step : c.steps) {
            SCOPED_TRACE(std::string(c.what) + ", step " + std::to_string(index++));
            if (step.kind == K::dwellEnds)
                EXPECT_EQ(trigger.dwellCompleted(), step.fires);
            else
                EXPECT_EQ(trigger.pointerMoved(step.kind != K::leave, step.kind == K::drag), step.outcome);
        }
    }
}
