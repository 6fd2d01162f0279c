#include "model/ConfigCodec.h"

#include <gtest/gtest.h>

using namespace tessarin;

namespace {

AppSettings readSettings(const std::string& settingsJson) {
    return decodeConfig(R"({"activeWorkspace":"A","settings":)" + settingsJson + "}").settings;
}

} // namespace

TEST(AppSettingsCodec, MissingSwitchLookIsDerivedFromTransitionStyleAndAngle) {
    struct Case {
        const char* settings;
        SwitchLook look;
    } cases[] = {
        {R"({"switchTransition":"sweep","sweepAngleDegrees":45})", SwitchLook::angledUp},
        {R"({"switchTransition":"sweep","sweepAngleDegrees":60})", SwitchLook::horizontal},
        {R"({"switchTransition":"sweep","sweepAngleDegrees":-10})", SwitchLook::vertical},
        {R"({"switchTransition":"sweep","sweepAngleDegrees":-10.5})", SwitchLook::angledDown},
        {R"({"switchTransition":"blur","switchBlurStyle":"dark"})", SwitchLook::frost},
        {R"({"switchTransition":"blur","switchBlurStyle":"soft"})", SwitchLook::soft},
        {R"({"switchTransition":"none","switchBlurStyle":"soft"})", SwitchLook::none},
        {R"({"switchTransition":"blur","switchLook":"horizontal"})", SwitchLook::horizontal},
        {R"({"switchTransition":"sweep","switchLook":null,"sweepAngleDegrees":90})", SwitchLook::horizontal},
    };
    for (const auto& c : cases)
        EXPECT_EQ(readSettings(c.settings).switchLook, c.look) << c.settings;
}

TEST(AppSettingsCodec, MissingSwitchSpeedIsTheNearestReferenceDurationWithTiesGoingSlower) {
    struct Case {
        int64_t durationMs;
        SwitchSpeed speed;
    } cases[] = {{851, SwitchSpeed::normal},
                 {852, SwitchSpeed::slow},
                 {616, SwitchSpeed::fast},
                 {617, SwitchSpeed::normal}};
    for (const auto& c : cases) {
        const auto settings = readSettings(R"({"sweepDurationMs":)" + std::to_string(c.durationMs) + "}");
        EXPECT_EQ(settings.switchSpeed, c.speed) << c.durationMs;
    }
    EXPECT_EQ(readSettings(R"({"sweepDurationMs":851,"switchSpeed":"fast"})").switchSpeed, SwitchSpeed::fast);
}

TEST(AppSettingsCodec, MissingSwitchIntensityComparesBandOrOpacityByLook) {
    struct Case {
        const char* settings;
        SwitchIntensity intensity;
    } cases[] = {
        {R"({"switchLook":"frost","switchBlurOpacity":0.37})", SwitchIntensity::subtle},
        {R"({"switchLook":"frost","switchBlurOpacity":0.38})", SwitchIntensity::medium},
        {R"({"switchLook":"frost","switchBlurOpacity":0.53})", SwitchIntensity::strong},
        {R"({"switchLook":"vertical","sweepBandFraction":0.59})", SwitchIntensity::strong},
        {R"({"switchLook":"vertical","sweepBandFraction":0.3,"switchBlurOpacity":0.6})",
         SwitchIntensity::subtle},
        {R"({"switchLook":"none","sweepBandFraction":0.9,"switchBlurOpacity":0.3})", SwitchIntensity::subtle},
        // The look used is the derived one when switchLook itself is missing.
        {R"({"switchTransition":"sweep","sweepAngleDegrees":0,"sweepBandFraction":0.72})",
         SwitchIntensity::strong},
        {R"({"switchTransition":"blur","sweepBandFraction":0.72,"switchBlurOpacity":0.3})",
         SwitchIntensity::subtle},
        {R"({"switchLook":"frost","switchBlurOpacity":0.37,"switchIntensity":"strong"})",
         SwitchIntensity::strong},
    };
    for (const auto& c : cases)
        EXPECT_EQ(readSettings(c.settings).switchIntensity, c.intensity) << c.settings;
}

TEST(AppSettingsCodec, CornerDwellIsClampedOnlyWhenStored) {
    struct Case {
        const char* settings;
        int64_t dwellMs;
    } cases[] = {
        {"{}", 50},
        {R"({"floatingDockCornerDwellMs":5})", 20},
        {R"({"floatingDockCornerDwellMs":20})", 20},
        {R"({"floatingDockCornerDwellMs":2000})", 2000},
        {R"({"floatingDockCornerDwellMs":5000})", 2000},
    };
    for (const auto& c : cases)
        EXPECT_EQ(readSettings(c.settings).floatingDockCornerDwellMs, c.dwellMs) << c.settings;
}

TEST(AppSettingsCodec, AlwaysTrueFieldsIgnoreTheStoredValueAndAreWrittenTrue) {
    const auto settings =
        readSettings(R"({"nativePositions":false,"floatingDockCornerSuppressFullScreen":false})");
    EXPECT_TRUE(settings.nativePositions);
    EXPECT_TRUE(settings.floatingDockCornerSuppressFullScreen);
    const auto written = encodeSettings(settings);
    EXPECT_EQ(written["nativePositions"], true);
    EXPECT_EQ(written["floatingDockCornerSuppressFullScreen"], true);
}

TEST(AppSettingsCodec, AccentSlotMigration) {
    struct Case {
        const char* appearance;
        std::optional<std::string> accent;
    } cases[] = {
        {R"({"accentSlot":2,"customAccents":["#111111"]})", "#C79A5B"},
        {R"({"accentSlot":0,"customAccents":["#111111"],"accentHex":"#222222"})", std::nullopt},
        {R"({"accentSlot":1,"customAccents":["#111111"],"accentHex":"#222222"})", "#111111"},
        {R"({"accentSlot":-1,"customAccents":["#111111"]})", "#C79A5B"},
        {R"({"accentHex":"#222222"})", "#222222"},
        {R"({"customAccents":["#111111"]})", std::nullopt},
    };
    for (const auto& c : cases) {
        const auto settings = readSettings(std::string(R"({"appearance":)") + c.appearance + "}");
        EXPECT_EQ(settings.appearance.accentHex, c.accent) << c.appearance;
        const auto written = encodeSettings(settings)["appearance"];
        EXPECT_FALSE(written.contains("accentSlot"));
        EXPECT_FALSE(written.contains("customAccents"));
    }
    // No appearance key at all: the settings default, which carries the default accent.
    EXPECT_EQ(readSettings("{}").appearance.accentHex, std::optional<std::string>("#C79A5B"));
}
