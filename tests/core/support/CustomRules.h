#pragma once

#include "model/CustomFilter.h"

#include <string>

namespace tessarin::test {

// A custom filename rule: files whose name contains `pattern` go to the desktop `collection`.
inline CustomFilter rule(std::string pattern, std::string collection, bool enabled = true) {
    CustomFilter filter;
    filter.pattern = std::move(pattern);
    filter.collection = std::move(collection);
    filter.enabled = enabled;
    return filter;
}

} // namespace tessarin::test
