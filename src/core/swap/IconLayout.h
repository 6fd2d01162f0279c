#pragma once

#include "model/IconPositions.h"

#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <string_view>

namespace tessarin {

// Where the icons of one desktop stood, for each icon host that reported them (hosts count in
// different units): host layout key -> item name -> position. Kept in a hidden file in the desktop's
// folder: {"version": 1, "hosts": {"caja": {"report.pdf": {"x": 64, "y": 182}}}}.
class IconLayout {
public:
    // The file's layout; empty when the file is missing. Entries that cannot be read are left out, so a
    // damaged file costs only what is damaged.
    static IconLayout read(const std::filesystem::path& file);
    // Replaces the file atomically. Throws std::system_error.
    void write(const std::filesystem::path& file) const;

    // The positions kept under a host's key; empty when there are none.
    const IconPositions& positions(std::string_view hostKey) const;
    // Sets one position; names that are not valid UTF-8 cannot be recorded and are ignored.
    void set(const std::string& hostKey, const std::string& name, IconPosition position);
    // Removes, in every host's positions, the names `keep` refuses; true when anything was removed.
    bool retain(const std::function<bool(const std::string&)>& keep);

    bool empty() const { return hosts_.empty(); }
    bool operator==(const IconLayout&) const = default;

private:
    std::map<std::string, IconPositions, std::less<>> hosts_;
};

} // namespace tessarin
