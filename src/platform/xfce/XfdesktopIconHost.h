#pragma once

#include "swap/IconHost.h"

#include <filesystem>
#include <optional>

namespace tessarin {

// Positions as xfdesktop keeps them: a grid cell (row=, col=) per item in its icon file,
// $XDG_CONFIG_HOME/xfce4/desktop/icons.screen0-WxH.rc (WxH: the size of its icon area), one group per
// item named by the item's full path. xfdesktop reads the entry of an item as the item arrives, so
// entries written beforehand place it at once. The file is read and written with libxfce4util, as
// xfdesktop does. A position is IconPosition{col, row}.
class XfdesktopIconHost : public IconHost {
public:
    // `desktop`: the Desktop folder; `iconFolder`: where xfdesktop keeps its icon files.
    XfdesktopIconHost(std::filesystem::path desktop, std::filesystem::path iconFolder);

    std::string name() const override { return "xfdesktop"; }
    // "xfdesktop WxH": cells of icon areas of different sizes do not match.
    std::string layoutKey() const override;
    IconPositions read(const std::vector<std::string>& names) override;
    // Throws IconHostError when xfdesktop has not written its icon file yet or it cannot be written.
    void write(const IconPositions& positions, const std::vector<std::string>& forget) override;

    // The icon file xfdesktop uses now: the target of icons.screen.latest.rc, else the newest
    // icons.screen0-*.rc.
    std::optional<std::filesystem::path> iconFile() const;

private:
    std::filesystem::path desktop_;
    std::filesystem::path iconFolder_;
};

} // namespace tessarin
