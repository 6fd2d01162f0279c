#pragma once

#include "support/Uuid.h"

#include <string>

namespace tessarin {

// One custom filename rule: Desktop files whose name contains `pattern` go to the desktop `collection`.
struct CustomFilter {
    Uuid id = Uuid::random();
    bool enabled = true;
    std::string pattern;
    std::string collection;

    bool operator==(const CustomFilter&) const = default;
};

} // namespace tessarin
