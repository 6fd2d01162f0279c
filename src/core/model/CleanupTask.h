#pragma once

#include "support/Date.h"
#include "support/Uuid.h"

#include <string>
#include <vector>

namespace tessarin {

// One cleanup-calendar entry: the desktops to clean up and when.
struct CleanupTask {
    Uuid id = Uuid::random();
    std::vector<std::string> members;
    Date date;

    bool operator==(const CleanupTask&) const = default;
};

} // namespace tessarin
