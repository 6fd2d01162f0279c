#include "model/DesktopPalette.h"

#include "model/AppSettings.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>

namespace tessarin {
namespace {

std::string lower(std::string_view text) {
    std::string result(text);
    for (char& c : result)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return result;
}

template <typename T> const T& pick(const std::vector<T>& choices, std::mt19937_64& rng) {
    std::uniform_int_distribution<std::size_t> index(0, choices.size() - 1);
    return choices[index(rng)];
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

int byteOf(double component) {
    if (std::isnan(component))
        component = 0;
    return static_cast<int>(std::lround(std::clamp(component, 0.0, 1.0) * 255.0));
}

} // namespace

std::string DesktopPalette::color(std::string_view name) {
    if (name.empty())
        return std::string(emptyNameHex);
    // Unsigned arithmetic gives the wrapping multiplication; the bits are those of the signed hash.
    uint64_t h = 5381;
    for (const char c : name)
        h = (h * 33) ^ static_cast<unsigned char>(c);
    const auto signedHash = static_cast<int64_t>(h);
    // |h| mod 8 without overflowing on INT64_MIN (whose magnitude 2^63 is 0 mod 8).
    const uint64_t magnitude = signedHash < 0 ? 0 - h : h;
    return std::string(colors[magnitude % colors.size()]);
}

std::string DesktopPalette::distinct(const std::vector<std::string>& inUse, std::mt19937_64& rng) {
    std::vector<std::string> used;
    used.reserve(inUse.size());
    for (const auto& hex : inUse)
        used.push_back(lower(hex));
    std::vector<std::string> free;
    for (const auto hex : colors)
        if (std::find(used.begin(), used.end(), lower(hex)) == used.end())
            free.emplace_back(hex);
    if (free.empty())
        free.assign(colors.begin(), colors.end());
    return pick(free, rng);
}

std::optional<RgbColor> parseHex(std::string_view text) {
    const auto trimmed = [](char c) { return c == '#' || c == ' '; };
    while (!text.empty() && trimmed(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && trimmed(text.back()))
        text.remove_suffix(1);
    if (text.size() != 6)
        return std::nullopt;
    int bytes[3] = {};
    for (std::size_t i = 0; i < 6; i += 2) {
        const int high = hexDigit(static_cast<char>(std::toupper(static_cast<unsigned char>(text[i]))));
        const int low = hexDigit(static_cast<char>(std::toupper(static_cast<unsigned char>(text[i + 1]))));
        if (high < 0 || low < 0)
            return std::nullopt;
        bytes[i / 2] = high * 16 + low;
    }
    return RgbColor{bytes[0] / 255.0, bytes[1] / 255.0, bytes[2] / 255.0};
}

RgbColor colorOrDefaultAccent(std::string_view text) {
    if (auto color = parseHex(text))
        return *color;
    return *parseHex(Appearance::defaultAccentHex);
}

std::string hexString(double red, double green, double blue) {
    char text[8];
    std::snprintf(text, sizeof text, "#%02X%02X%02X", byteOf(red), byteOf(green), byteOf(blue));
    return text;
}

} // namespace tessarin
