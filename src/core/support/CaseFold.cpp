#include "support/CaseFold.h"

#include <unicode/normalizer2.h>
#include <unicode/uchar.h>
#include <unicode/unistr.h>

namespace tessarin {

std::string caseFolded(std::string_view utf8) {
    UErrorCode status = U_ZERO_ERROR;
    const icu::Normalizer2* nfd = icu::Normalizer2::getNFDInstance(status);
    const icu::Normalizer2* nfc = icu::Normalizer2::getNFCInstance(status);
    std::string result;
    if (U_FAILURE(status)) // ICU's data is part of the library; this does not happen in practice
        return std::string(utf8);
    icu::UnicodeString text =
        icu::UnicodeString::fromUTF8(icu::StringPiece(utf8.data(), static_cast<int32_t>(utf8.size())));
    icu::UnicodeString folded = nfd->normalize(text, status);
    folded.foldCase(U_FOLD_CASE_DEFAULT);
    const icu::UnicodeString composed = nfc->normalize(folded, status);
    if (U_FAILURE(status))
        return std::string(utf8);
    composed.toUTF8String(result);
    return result;
}

bool containsIgnoringCase(std::string_view haystack, std::string_view needle) {
    if (needle.empty())
        return true;
    // Folded UTF-8 is compared byte for byte: a well-formed sequence can only match at a character start.
    return caseFolded(haystack).find(caseFolded(needle)) != std::string::npos;
}

} // namespace tessarin
