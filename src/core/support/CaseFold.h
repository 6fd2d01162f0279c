#pragma once

#include <string>
#include <string_view>

namespace tessarin {

// UTF-8 text made ready for a case-insensitive comparison that knows every script: decomposed, given
// Unicode's full case folding (ß and SS alike, final and medial sigma alike), and composed again (NFC),
// so that "Cafe\u0301" and "café" are the same text. Locale-free and without diacritic folding:
// "cafe" stays different from "café". Bytes that are not valid UTF-8 each count as U+FFFD.
std::string caseFolded(std::string_view utf8);

// `needle` occurs in `haystack` once both are caseFolded; an empty needle occurs everywhere.
bool containsIgnoringCase(std::string_view haystack, std::string_view needle);

} // namespace tessarin
