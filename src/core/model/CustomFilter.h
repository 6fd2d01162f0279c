#pragma once

#include "support/Uuid.h"

#include <string>
#include <string_view>

namespace tessarin {

// One custom filename rule: Desktop files whose name contains `pattern` go to the desktop `collection`.
struct CustomFilter {
    Uuid id = Uuid::random();
    bool enabled = true;
    std::string pattern;
    std::string collection;

    // Enabled, a non-empty pattern, and the pattern occurs anywhere in `name` (extension included)
    // without regard to letter case (containsIgnoringCase); no trimming, no word boundaries.
    bool matches(std::string_view name) const;

    bool operator==(const CustomFilter&) const = default;
};

} // namespace tessarin
