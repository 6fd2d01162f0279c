#pragma once

#include "swap/IconHost.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace tessarin {

// Positions kept as GIO metadata of the Desktop's items, as Caja ("caja") and Nemo ("nemo") keep them:
// "metadata::<host>-icon-position" holds "x,y" and "metadata::<host>-icon-position-timestamp" the
// time it was set. Reads go through GIO; writes go to the gvfs metadata service over D-Bus
// (org.gtk.vfs.Metadata), which takes positions for names that are not on the Desktop yet. With a
// timestamp newer than the host's last layout, an arriving icon is put exactly there; forgetting a
// name removes everything kept for it.
class GvfsIconHost : public IconHost {
public:
    // `host`: "caja" or "nemo". `desktop`: the Desktop folder.
    GvfsIconHost(std::string host, std::filesystem::path desktop);

    std::string name() const override { return host_; }
    std::string layoutKey() const override { return host_; }
    IconPositions read(const std::vector<std::string>& names) override;
    // Throws IconHostError when the metadata service cannot be reached or refuses a change.
    void write(const IconPositions& positions, const std::vector<std::string>& forget) override;

    // The value of a position attribute: "x,y", blanks around the numbers allowed.
    static std::optional<IconPosition> parsePosition(std::string_view text);

private:
    std::string host_;
    std::filesystem::path desktop_;
};

// Where gvfs keeps the metadata of the items of `folder`: the tree file and the folder's path inside it
// (the "home" tree for the home folder and below, else the tree of the folder's volume, else "root").
// Throws IconHostError when the folder cannot be examined.
struct MetadataTreePlace {
    std::string treeFile;
    std::string folderInTree;
};
MetadataTreePlace metadataTreeOf(const std::filesystem::path& folder);

} // namespace tessarin
