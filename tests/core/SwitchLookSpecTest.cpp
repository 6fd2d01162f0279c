// The look table: the user's look, speed and intensity stamped into the transition settings.
#include "model/SwitchLookSpec.h"

#include <gtest/gtest.h>

using namespace tessarin;

TEST(SwitchLookSpec, StampWritesTheTableAndTheScaledDurations) {
    struct Case {
        SwitchLook look;
        SwitchSpeed speed;
        SwitchIntensity intensity;
        SwitchTransition transition;
        SwitchBlurStyle blurStyle;
        double opacity;
        double band;
        double angle; // 123 = left as it was
        int64_t startDelay, sweep, fadeIn, fadeOut, minimum;
    } cases[] = {
        {SwitchLook::frost, SwitchSpeed::normal, SwitchIntensity::medium, SwitchTransition::blur,
         SwitchBlurStyle::frost, 0.45, 0.45, 123, 280, 725, 260, 500, 1000},
        // 725 x 0.7 in double precision is just below 507.5.
        {SwitchLook::angledDown, SwitchSpeed::fast, SwitchIntensity::strong, SwitchTransition::sweep,
         SwitchBlurStyle::frost, 0.42, 0.72, -20, 196, 507, 182, 350, 700},
        {SwitchLook::vertical, SwitchSpeed::slow, SwitchIntensity::subtle, SwitchTransition::sweep,
         SwitchBlurStyle::frost, 0.36, 0.2, 0, 378, 979, 351, 675, 1350},
        {SwitchLook::horizontal, SwitchSpeed::normal, SwitchIntensity::medium, SwitchTransition::sweep,
         SwitchBlurStyle::frost, 0.5, 0.45, 90, 280, 725, 260, 500, 1000},
        {SwitchLook::angledUp, SwitchSpeed::normal, SwitchIntensity::strong, SwitchTransition::sweep,
         SwitchBlurStyle::frost, 0.42, 0.72, 20, 280, 725, 260, 500, 1000},
        {SwitchLook::soft, SwitchSpeed::slow, SwitchIntensity::strong, SwitchTransition::blur,
         SwitchBlurStyle::soft, 0.6, 0.72, 123, 378, 979, 351, 675, 1350},
        {SwitchLook::dark, SwitchSpeed::fast, SwitchIntensity::subtle, SwitchTransition::blur,
         SwitchBlurStyle::dark, 0.3, 0.2, 123, 196, 507, 182, 350, 700},
        {SwitchLook::none, SwitchSpeed::normal, SwitchIntensity::subtle, SwitchTransition::none,
         SwitchBlurStyle::frost, 0.3, 0.2, 123, 280, 725, 260, 500, 1000},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(enumName(c.look)) + " " + std::string(enumName(c.speed)) + " " +
                     std::string(enumName(c.intensity)));
        AppSettings s;
        s.sweepAngleDegrees = 123;
        s.switchRevealHoldMs = 77;
        SwitchLookSpec::stamp(c.look, c.speed, c.intensity, s);
        EXPECT_EQ(s.switchLook, c.look);
        EXPECT_EQ(s.switchSpeed, c.speed);
        EXPECT_EQ(s.switchIntensity, c.intensity);
        EXPECT_EQ(s.switchTransition, c.transition);
        EXPECT_EQ(s.switchBlurStyle, c.blurStyle);
        EXPECT_DOUBLE_EQ(s.switchBlurOpacity, c.opacity);
        EXPECT_DOUBLE_EQ(s.sweepBandFraction, c.band);
        EXPECT_DOUBLE_EQ(s.sweepAngleDegrees, c.angle);
        EXPECT_EQ(s.sweepStartDelayMs, c.startDelay);
        EXPECT_EQ(s.sweepDurationMs, c.sweep);
        EXPECT_EQ(s.switchFadeInMs, c.fadeIn);
        EXPECT_EQ(s.switchFadeOutMs, c.fadeOut);
        EXPECT_EQ(s.switchMinDurationMs, c.minimum);
        EXPECT_EQ(s.switchRevealHoldMs, 77);
        // A stamped record reads back as the same speed and intensity through the derivations that
        // older records without those fields go through.
        EXPECT_EQ(AppSettings::derivedSpeed(s.sweepDurationMs), c.speed);
        EXPECT_EQ(AppSettings::derivedIntensity(c.look, s.sweepBandFraction, s.switchBlurOpacity),
                  c.intensity);
    }
}
