#pragma once

#include "support/World.h"

namespace tessarin::test {

// The World with items put by folder and name, each holding its name unless told otherwise.
struct SwapWorld : World {
    void put(const std::filesystem::path& dir, const std::string& name, const std::string& content = "") {
        item(dir, name, content);
    }
};

} // namespace tessarin::test
