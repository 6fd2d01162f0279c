#pragma once

#include <array>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace tessarin {

// The eight desktop colours and how a desktop gets one.
struct DesktopPalette {
    static constexpr std::array<std::string_view, 8> colors = {"#FF9F0A", "#FF375F", "#BF5AF2", "#0A84FF",
                                                               "#64D2FF", "#30D158", "#FFD60A", "#FF6B3D"};
    static constexpr std::string_view emptyNameHex = "#30D158";

    // A fixed colour per name (djb2-xor over the UTF-8 bytes); the empty name gives emptyNameHex.
    static std::string color(std::string_view name);
    // A random palette colour not among `inUse` (compared case-insensitively); any colour when all
    // eight are in use.
    static std::string distinct(const std::vector<std::string>& inUse, std::mt19937_64& rng);
};

// An sRGB colour, components 0...1.
struct RgbColor {
    double red = 0;
    double green = 0;
    double blue = 0;

    bool operator==(const RgbColor&) const = default;
};

// "#RRGGBB" text -> colour: strips "#" and spaces from both ends, upper-cases, and needs exactly six
// hexadecimal digits; anything else gives none.
std::optional<RgbColor> parseHex(std::string_view text);
// parseHex, falling back to the default accent colour (Appearance::defaultAccentHex).
RgbColor colorOrDefaultAccent(std::string_view text);
// "#RRGGBB" with each component (clamped to 0...1) times 255, rounded to the nearest integer.
std::string hexString(double red, double green, double blue);
inline std::string hexString(const RgbColor& c) {
    return hexString(c.red, c.green, c.blue);
}

} // namespace tessarin
