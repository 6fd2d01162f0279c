#include "Artifacts.h"
#include "WaitFor.h"
#include "icon/GlyphAnimation.h"
#include "icon/GlyphPainter.h"
#include "icon/MenuBarIconAnimator.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <numeric>

using namespace tessarin;
using tessarin::test::waitFor;

namespace {

const BarLengths mirrored{28, 44, 126};

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

// Both animations start and end at a resting shape, keep the glyph's total width in the nudge, and never
// round a bar more than half its width.
TEST(MenuBarGlyph, AnimationsStartAndEndAtRestAndKeepTheBarsDrawable) {
    const auto nudge = nudgeFrame(glyph::restingWidths);
    const auto there = mirrorFrame(glyph::restingWidths);
    EXPECT_EQ(nudge(0), glyph::restingWidths);
    EXPECT_EQ(nudge(1), glyph::restingWidths);
    EXPECT_EQ(there(0), glyph::restingWidths);
    EXPECT_EQ(there(0.5), (BarLengths{44, 126, 28})); // the wide bar passes through the middle
    EXPECT_EQ(there(1), mirrored);
    EXPECT_EQ(mirrorFrame(mirrored)(1), glyph::restingWidths);
    for (int i = 0; i <= 100; ++i) {
        const double p = i / 100.0;
        EXPECT_NEAR(sum(nudge(p)), sum(glyph::restingWidths), 1e-9) << p;
        for (const BarLengths& w : {nudge(p), there(p), nudgeFrame(mirrored)(p)}) {
            const BarLengths r = radiiFor(w);
            for (size_t bar = 0; bar < 3; ++bar)
                EXPECT_LE(r[bar], w[bar] / 2 + 1e-9) << p << " bar " << bar;
        }
    }
    // After a mirror, the largest bar (now on the right) gives up the width.
    EXPECT_LT(nudgeFrame(mirrored)(0.45)[2], 126);
}

TEST(MenuBarGlyph, DrawnForTheSlotAndPixelRatio) {
    for (const auto& [slot, ratio] : std::vector<std::pair<int, double>>{{24, 1.0}, {24, 2.0}, {16, 1.0}}) {
        const QImage image = renderGlyph(glyph::restingWidths, glyph::restingRadii, slot, ratio);
        test::saveArtifact(image,
                           "glyph-" + std::to_string(slot) + "@" + std::to_string(int(ratio)) + "x.png");
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

// Counted by what the animator reports, not by the clock: however many frames a loaded machine lets
// through, each is a later step of the animation than the one before, and the finished shape is shown
// exactly once, last.
TEST(MenuBarIconAnimator, EachFrameAdvancesAndTheLastFrameStays) {
    MenuBarIconAnimator animator;
    std::vector<BarLengths> frames;
    bool shownWhileIdle = false;
    animator.install([&](const BarLengths& w, const BarLengths&) {
        frames.push_back(w);
        shownWhileIdle = shownWhileIdle || (frames.size() > 1 && !animator.animating());
    });
    ASSERT_EQ(frames, std::vector<BarLengths>{glyph::restingWidths});

    animator.playSwitch(MenuBarAnimation::mirror);
    ASSERT_TRUE(animator.animating());
    ASSERT_TRUE(waitFor([&] { return !animator.animating(); }));
    EXPECT_FALSE(shownWhileIdle);
    EXPECT_EQ(animator.restingWidths(), mirrored);
    EXPECT_EQ(frames.back(), mirrored);
    EXPECT_EQ(std::count(frames.begin(), frames.end(), mirrored), 1);
    for (size_t i = 1; i < frames.size(); ++i)
        EXPECT_LE(frames[i][0], frames[i - 1][0]) << "frame " << i << " went back"; // the wide bar leaves

    animator.playSwitch(MenuBarAnimation::none);
    EXPECT_FALSE(animator.animating());

    // A new switch during a nudge restarts from the unchanged resting shape.
    const size_t beforeNudge = frames.size();
    animator.playSwitch(MenuBarAnimation::nudge);
    ASSERT_TRUE(waitFor([&] { return frames.size() > beforeNudge; }));
    animator.playSwitch(MenuBarAnimation::nudge);
    ASSERT_TRUE(waitFor([&] { return !animator.animating(); }));
    EXPECT_EQ(animator.restingWidths(), mirrored);
    EXPECT_EQ(frames.back(), mirrored);

    animator.resetToRest();
    EXPECT_EQ(frames.back(), glyph::restingWidths);
    EXPECT_EQ(animator.restingRadii(), glyph::restingRadii);
}
