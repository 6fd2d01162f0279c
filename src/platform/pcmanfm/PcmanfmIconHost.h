#pragma once

#include "swap/IconHost.h"

#include <filesystem>

namespace tessarin {

// Positions as PCManFM keeps them: desktop-items-0.conf in its profile folder, one group per item
// the user placed, named by the item's name, with x= and y=. PCManFM reads that file only when it
// starts and rewrites it from memory, so positions are read from it but never written: the store's
// layout files keep them.
class PcmanfmIconHost : public IconHost {
public:
    // `itemsFile`: the desktop-items-0.conf of the profile PCManFM runs with.
    explicit PcmanfmIconHost(std::filesystem::path itemsFile);

    std::string name() const override { return "pcmanfm"; }
    std::string layoutKey() const override { return "pcmanfm"; }
    IconPositions read(const std::vector<std::string>& names) override;
    void write(const IconPositions&, const std::vector<std::string>&) override {}
    bool placesArrivingItems() const override { return false; }

private:
    std::filesystem::path itemsFile_;
};

} // namespace tessarin
