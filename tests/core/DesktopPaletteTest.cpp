#include "model/DesktopPalette.h"

#include "model/AppSettings.h"

#include <gtest/gtest.h>
#include <set>

using namespace tessarin;

TEST(DesktopPalette, DistinctAvoidsColoursInUseIgnoringCase) {
    std::mt19937_64 rng(42);
    struct Case {
        std::vector<std::string> inUse;
        std::set<std::string> allowed;
    } cases[] = {
        {{"#ff9f0a", "#FF375F", "#bf5af2", "#0a84ff", "#64D2FF", "#30d158", "#FFD60A"}, {"#FF6B3D"}},
        {{"#FF9F0A", "#123456"},
         {"#FF375F", "#BF5AF2", "#0A84FF", "#64D2FF", "#30D158", "#FFD60A", "#FF6B3D"}},
        {{"#ff9f0a", "#FF375F", "#bf5af2", "#0a84ff", "#64D2FF", "#30d158", "#FFD60A", "#ff6b3d"},
         std::set<std::string>(DesktopPalette::colors.begin(), DesktopPalette::colors.end())},
    };
    for (const auto& c : cases) {
        std::set<std::string> picked;
        for (int i = 0; i < 400; ++i)
            picked.insert(DesktopPalette::distinct(c.inUse, rng));
        EXPECT_EQ(picked, c.allowed);
    }
}

TEST(HexColor, ParsesTrimmedSixDigitHexAndFallsBackToTheAccent) {
    const RgbColor blue{10 / 255.0, 132 / 255.0, 1.0};
    struct Case {
        const char* text;
        std::optional<RgbColor> color;
    } cases[] = {
        {"#0a84ff", blue},         {"  #0A84FF  ", blue},       {"0A84FF", blue},
        {"##0a84FF#", blue},       {"#0A8", std::nullopt},      {"#0A84FG", std::nullopt},
        {"#0A 4FF", std::nullopt}, {"\t#0A84FF", std::nullopt},
    };
    const auto accent = *parseHex(Appearance::defaultAccentHex);
    for (const auto& c : cases) {
        EXPECT_EQ(parseHex(c.text), c.color) << c.text;
        EXPECT_EQ(colorOrDefaultAccent(c.text), c.color.value_or(accent)) << c.text;
    }
    EXPECT_EQ(hexString(accent), "#C79A5B");
}

TEST(HexColor, FormatsRoundedClampedComponents) {
    struct Case {
        double r, g, b;
        const char* hex;
    } cases[] = {
        {0.5, 0.5, 0.5, "#808080"},
        {0.499 / 255, 0.5 / 255, 254.5 / 255, "#0001FF"},
        {-1, 2, std::nan(""), "#00FF00"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(hexString(c.r, c.g, c.b), c.hex) << c.hex;
    for (const auto hex : DesktopPalette::colors)
        EXPECT_EQ(hexString(*parseHex(hex)), hex);
}
