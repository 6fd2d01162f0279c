#include "support/CaseFold.h"

#include <algorithm>

namespace tessarin {

namespace {

// Invalid bytes map into the surrogate range, which no decoded character occupies.
constexpr char32_t invalidByte(unsigned char byte) {
    return 0xDC00 + byte;
}

char32_t fold(char32_t c) {
    if (c >= U'A' && c <= U'Z')
        return c + 0x20;
    if (c < 0xC0)
        return c;
    if (c <= 0xDE)
        return c == 0xD7 ? c : c + 0x20; // À..Þ except ×
    if (c >= 0x100 && c <= 0x17F) {
        // Pairs upper/lower at even/odd, shifted by one in 0x139..0x148 and 0x179..0x17E.
        if (c == 0x130 || c == 0x131 || c == 0x138 || c == 0x149 || c == 0x17F)
            return c;
        if (c == 0x178)
            return 0xFF;
        const bool shifted = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
        const bool upper = shifted ? (c % 2 == 1) : (c % 2 == 0);
        return upper ? c + 1 : c;
    }
    if (c >= 0x391 && c <= 0x3A9 && c != 0x3A2)
        return c + 0x20; // Greek capitals
    if (c >= 0x400 && c <= 0x40F)
        return c + 0x50; // Cyrillic Ѐ..Џ
    if (c >= 0x410 && c <= 0x42F)
        return c + 0x20; // Cyrillic А..Я
    return c;
}

} // namespace

std::u32string caseFolded(std::string_view utf8) {
    std::u32string result;
    result.reserve(utf8.size());
    std::size_t i = 0;
    while (i < utf8.size()) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        std::size_t length = 0;
        char32_t c = 0;
        if (lead < 0x80) {
            length = 1;
            c = lead;
        } else if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
            c = lead & 0x1F;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            c = lead & 0x0F;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            c = lead & 0x07;
        }
        bool valid = length > 0 && i + length <= utf8.size();
        for (std::size_t k = 1; valid && k < length; ++k) {
            const auto next = static_cast<unsigned char>(utf8[i + k]);
            valid = (next & 0xC0) == 0x80;
            c = (c << 6) | (next & 0x3F);
        }
        // Overlong forms, surrogates and values past U+10FFFF are not characters.
        if (valid && ((length == 3 && (c < 0x800 || (c >= 0xD800 && c <= 0xDFFF))) ||
                      (length == 4 && (c < 0x10000 || c > 0x10FFFF))))
            valid = false;
        if (!valid) {
            result.push_back(invalidByte(lead));
            ++i;
            continue;
        }
        result.push_back(fold(c));
        i += length;
    }
    return result;
}

bool containsIgnoringCase(std::string_view haystack, std::string_view needle) {
    const std::u32string h = caseFolded(haystack);
    const std::u32string n = caseFolded(needle);
    return std::search(h.begin(), h.end(), n.begin(), n.end()) != h.end();
}

} // namespace tessarin
