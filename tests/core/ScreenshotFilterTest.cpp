// How a Desktop file is recognised as a screenshot, with and without the system's services.
#include "organise/ScreenshotFilter.h"

#include "model/CustomFilter.h"

#include <gtest/gtest.h>
#include <map>

using namespace tessarin;

namespace {

bool imageByExtension(std::string_view name) {
    return name.ends_with(".png") || name.ends_with(".jpg");
}

} // namespace

TEST(ScreenshotFilter, AKnownFlagWinsAndNamesCountOnlyForImagesWithTheFallbackOn) {
    const std::string shot = "Screenshot 2026-03-01 at 09.12.33.png";
    struct Case {
        std::string name;
        std::optional<bool> flag;
        bool fallback;
        std::string prefix;
        bool expected;
    } cases[] = {
        {shot, std::nullopt, true, "Screenshot", true},
        {shot, std::nullopt, false, "Screenshot", false},
        {shot, false, true, "Screenshot", false}, // a known "no" beats the name
        {shot, true, false, "Screenshot", true},
        {"Invoice.pdf", true, false, "Screenshot", true}, // the image test only guards the name rule
        {"Invoice.pdf", std::nullopt, true, "Screenshot", false},
        {"Screenshots.png", std::nullopt, true, "Screenshot", false},
        {"Shot 1.png", std::nullopt, true, "Shot", true},
    };
    for (const auto& c : cases) {
        ScreenshotServices services;
        services.isImage = imageByExtension;
        services.captureFlag = [&](const std::filesystem::path& item) {
            EXPECT_EQ(item, std::filesystem::path("/home/u/Desktop") / c.name);
            return c.flag;
        };
        const ScreenshotFilter filter(services, "/home/u", "/home/u/Desktop");
        EXPECT_EQ(filter.isScreenshot(filter.desktop() / c.name, c.fallback, c.prefix), c.expected)
            << c.name << " prefix " << c.prefix;
    }
    // Without any service nothing is an image, so only a flag could ever say yes.
    const ScreenshotFilter bare({}, "/home/u", "/home/u/Desktop");
    EXPECT_FALSE(bare.isScreenshot("/home/u/Desktop/" + shot, true, "Screenshot"));
}

TEST(ScreenshotFilter, NamePrefixAndSaveLocation) {
    struct Case {
        std::optional<std::string> override;
        std::map<std::string, std::string> preferences;
        std::string prefix;
        bool savesToDesktop;
    } cases[] = {
        {std::nullopt, {}, "Screenshot", true},
        {"  Capture\t", {}, "Capture", true},
        {"   ", {{"name", "Shot"}}, "Shot", true}, // spaces only: the system's word
        {std::nullopt, {{"name", "  "}}, "Screenshot", true},
        {std::nullopt, {{"location", "~/Desktop"}}, "Screenshot", true},
        {std::nullopt, {{"location", "/home/u/Pictures/../Desktop"}}, "Screenshot", true},
        {std::nullopt, {{"location", ""}}, "Screenshot", true},
        {std::nullopt, {{"location", "~/Pictures"}}, "Screenshot", false},
        {std::nullopt, {{"location", "~"}}, "Screenshot", false},
    };
    for (const auto& c : cases) {
        ScreenshotServices services;
        services.preference = [&](std::string_view key) -> std::optional<std::string> {
            const auto it = c.preferences.find(std::string(key));
            return it == c.preferences.end() ? std::nullopt : std::optional(it->second);
        };
        const ScreenshotFilter filter(services, "/home/u", "/home/u/Desktop");
        EXPECT_EQ(filter.effectiveNamePrefix(c.override), c.prefix);
        EXPECT_EQ(filter.screenshotsSaveToDesktop(), c.savesToDesktop)
            << (c.preferences.contains("location") ? c.preferences.at("location") : "(none)");
    }
    // The Linux case: no preferences at all.
    const ScreenshotFilter linux({}, "/home/u", "/home/u/Desktop");
    EXPECT_EQ(linux.screencaptureLocation(), std::nullopt);
    EXPECT_TRUE(linux.screenshotsSaveToDesktop());
}

TEST(CustomFilter, MatchesTheWordAnywhereIgnoringCase) {
    struct Case {
        bool enabled;
        std::string pattern;
        std::string name;
        bool matches;
    } cases[] = {
        {true, "Report", "report-final.PDF", true},
        {true, "", "anything", false},
        {false, "Report", "Report.pdf", false},
        {true, "STRASSE", "straße.txt", true},  // full case folding
        {true, "Cafe\u0301", "café.txt", true}, // decomposed against composed
        {true, "cafe", "café.txt", false},      // no diacritic folding
        {true, "\xff",
         "a\xff"
         "b",
         true}, // bytes that are not UTF-8 match only themselves
        {true, "\xc3", "Ä", false},
    };
    for (const auto& c : cases) {
        CustomFilter rule;
        rule.enabled = c.enabled;
        rule.pattern = c.pattern;
        EXPECT_EQ(rule.matches(c.name), c.matches) << c.pattern << " / " << c.name;
    }
}
