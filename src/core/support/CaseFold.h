#pragma once

#include <string>
#include <string_view>

namespace tessarin {

// The code points of UTF-8 text with upper-case letters folded to lower case: ASCII, Latin-1,
// Latin Extended-A, Greek and Cyrillic (one-to-one folds only, no locale, no diacritic removal).
// A byte that is not valid UTF-8 stands for itself, apart from every real character.
std::u32string caseFolded(std::string_view utf8);

// `needle` occurs in `haystack` under caseFolded comparison; an empty needle occurs everywhere.
bool containsIgnoringCase(std::string_view haystack, std::string_view needle);

} // namespace tessarin
