#include "Artifacts.h"
#include "WaitFor.h"
#include "icon/GlyphAnimation.h"
#include "icon/GlyphPainter.h"
#include "icon/MenuBarIconAnimator.h"

#include <gtest/gtest.h>
#include <numeric>

using namespace tessarin;
using tessarin::test::waitFor;

namespace {

double sum(const BarLengths& w) {
    return std::accumulate(w.begin(), w.end(), 0.0);
}

// Runs of opaque columns along the middle row of an image: (start, length) per bar.
std::vector<std::pair<int, int>> barRuns(const QImage& image) {
    std::vector<std::pair<int, int>> runs;
    const int y = image.height() / 2;
    int start = -1;
    for (int x = 0; x <= image.width(); ++x) {
        const bool bar =
            x < image.width() && qAlpha(image.pixel(x, y)) > 200 && qGray(image.pixel(x, y)) > 200;
        if (bar && start < 0)
            start = x;
        if (!bar && start >= 0) {
            runs.push_back({start, x - start});
            start = -1;
        }
    }
    return runs;
}

} // namespace

TEST(MenuBarGlyph, GeometryOfTheRestingGlyph) {
    const auto bars = glyphBars(glyph::restingWidths, glyph::restingRadii);
    const double s = 13.0 / 148.0;
    EXPECT_NEAR(bars[0].x, 0, 1e-9);
    EXPECT_NEAR(bars[1].x, (126 + 24) * s, 1e-9);
    EXPECT_NEAR(bars[2].x, (126 + 44 + 48) * s, 1e-9);
    EXPECT_NEAR(bars[0].width, 126 * s, 1e-9);
    EXPECT_NEAR(bars[2].radius, 13 * s, 1e-9);
    EXPECT_EQ(std::lround((126 + 44 + 28 + 2 * 24) * s), glyph::widthPoints);
    // A bar narrower than twice its radius gets the half width as radius.
    EXPECT_NEAR(glyphBars({126, 20, 28}, {16, 14, 13})[1].radius, 10 * s, 1e-9);
}

TEST(MenuBarGlyph, RadiusTable) {
    struct Case {
        BarLengths widths;
        BarLengths radii;
    };
    const Case cases[] = {
        {{126, 44, 28}, {16, 14, 13}},
        {{28, 44, 126}, {13, 14, 16}},
        {{200, 10, 36}, {16, 5, 13.5}},   // clamped above; half width below; between 28 and 44
        {{85, 30, 20}, {15, 13.125, 10}}, // 85 halfway between 44 and 126
    };
    for (const auto& c : cases) {
        const auto r = radiiFor(c.widths);
        for (size_t i = 0; i < 3; ++i)
            EXPECT_NEAR(r[i], c.radii[i], 1e-9) << c.widths[i];
    }
}

TEST(MenuBarGlyph, NudgeRipplesAndSettles) {
    const auto frame = nudgeFrame(glyph::restingWidths);
    EXPECT_EQ(frame(0), glyph::restingWidths);
    EXPECT_EQ(frame(1), glyph::restingWidths);
    double maxMiddle = 0;
    for (int i = 0; i <= 100; ++i) {
        const auto w = frame(i / 100.0);
        EXPECT_NEAR(sum(w), sum(glyph::restingWidths), 1e-9);
        maxMiddle = std::max(maxMiddle, w[1] - 44);
    }
    EXPECT_NEAR(maxMiddle, 11, 0.05);
    // The middle bar swells first, the smallest a moment later.
    const auto early = frame(0.1);
    EXPECT_GT(early[1] - 44, early[2] - 28);
    const auto late = frame(0.85);
    EXPECT_GT(late[2] - 28, late[1] - 44);
    // After a mirror, the largest bar (now on the right) gives up the width.
    const auto mirrored = nudgeFrame({28, 44, 126});
    EXPECT_LT(mirrored(0.45)[2], 126);
    EXPECT_GT(mirrored(0.45)[0], 28);
}

TEST(MenuBarGlyph, MirrorKeyFramesAndEasing) {
    const auto there = mirrorFrame(glyph::restingWidths);
    EXPECT_EQ(there(0), (BarLengths{126, 44, 28}));
    EXPECT_EQ(there(0.5), (BarLengths{44, 126, 28}));
    EXPECT_EQ(there(1), (BarLengths{28, 44, 126}));
    // Eased: a quarter of the way through the first half is 2 × 0.25² = 1/8 of its change.
    EXPECT_NEAR(there(0.125)[0], 126 + (44 - 126) / 8.0, 1e-9);
    const auto back = mirrorFrame(there(1));
    EXPECT_EQ(back(1), glyph::restingWidths);
    EXPECT_NEAR(smootherstep(0.5), 0.5, 1e-12);
}

TEST(MenuBarGlyph, DrawnForTheSlotAndPixelRatio) {
    for (const auto& [slot, ratio] :
         std::vector<std::pair<int, double>>{{24, 1.0}, {24, 2.0}, {16, 1.0}, {48, 1.0}}) {
        const QImage image = renderGlyph(glyph::restingWidths, glyph::restingRadii, slot, ratio);
        test::saveArtifact(image,
                           "glyph-" + std::to_string(slot) + "@" + std::to_string(int(ratio)) + "x.png");
        EXPECT_EQ(image.width(), std::lround(slot * ratio));
        const auto runs = barRuns(image);
        ASSERT_EQ(runs.size(), 3u) << slot << "@" << ratio;
        const double k = glyphPixelsPerPoint(slot) * ratio; // device pixels per point
        const auto bars = glyphBars(glyph::restingWidths, glyph::restingRadii);
        for (size_t i = 0; i < 3; ++i)
            EXPECT_NEAR(runs[i].second, bars[i].width * k, 2.0) << slot << "@" << ratio << " bar " << i;
        // Centred in the slot.
        EXPECT_NEAR(runs.front().first, image.width() - (runs.back().first + runs.back().second), 2.0);
    }
}

TEST(MenuBarIconAnimator, PlaysAtSixtyFramesAndKeepsTheLastFrame) {
    MenuBarIconAnimator animator;
    std::vector<BarLengths> frames;
    animator.install([&](const BarLengths& w, const BarLengths&) { frames.push_back(w); });
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0], glyph::restingWidths);

    animator.playSwitch(MenuBarAnimation::mirror);
    ASSERT_TRUE(waitFor([&] { return !animator.animating(); }, 5000));
    EXPECT_EQ(animator.restingWidths(), (BarLengths{28, 44, 126}));
    EXPECT_EQ(frames.back(), (BarLengths{28, 44, 126}));
    // 0.52 s at 60 frames a second is about 31 frames; a loaded machine drops some.
    EXPECT_GE(frames.size(), 10u);
    EXPECT_LE(frames.size(), 40u);

    animator.playSwitch(MenuBarAnimation::none);
    EXPECT_FALSE(animator.animating());

    // A new switch during a nudge restarts from the unchanged resting shape.
    animator.playSwitch(MenuBarAnimation::nudge);
    ASSERT_TRUE(waitFor([&] { return frames.size() > 40; }, 5000));
    animator.playSwitch(MenuBarAnimation::nudge);
    ASSERT_TRUE(waitFor([&] { return !animator.animating(); }, 5000));
    EXPECT_EQ(animator.restingWidths(), (BarLengths{28, 44, 126}));

    animator.resetToRest();
    EXPECT_EQ(frames.back(), glyph::restingWidths);
    EXPECT_EQ(animator.restingRadii(), glyph::restingRadii);
}
