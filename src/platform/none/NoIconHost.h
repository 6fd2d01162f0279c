#pragma once

#include "swap/IconHost.h"

namespace tessarin {

// No desktop-icon host Tessarin knows is running: nothing is read or written, and the store's layout
// files keep what earlier hosts reported.
class NoIconHost : public IconHost {
public:
    std::string name() const override { return "none"; }
    std::string layoutKey() const override { return {}; }
    IconPositions read(const std::vector<std::string>&) override { return {}; }
    void write(const IconPositions&, const std::vector<std::string>&) override {}
    bool placesArrivingItems() const override { return false; }
};

} // namespace tessarin
