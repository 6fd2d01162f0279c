#pragma once

#include <cstdint>

namespace tessarin {
struct IconPosition {
    int64_t x = 0;
    int64_t y = 0;
    bool operator==(const IconPosition&) const = default;
};
} // namespace tessarin
