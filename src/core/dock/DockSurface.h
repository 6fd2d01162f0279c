#pragma once

#include "model/Config.h"

#include <filesystem>
#include <string>
#include <vector>

namespace tessarin {

// One tile of the floating dock.
struct DockSurface {
    std::string name;       // the desktop's name and the tile's identity
    std::string colorHex;   // the desktop's colour
    std::string folderPath; // the folder whose icon the tile shows
    bool isActive = false;  // the active desktop

    bool operator==(const DockSurface&) const = default;
};

// One tile per live desktop, in the document's order, each showing its folder in the store.
std::vector<DockSurface> dockSurfaces(const Config& document, const std::filesystem::path& workspaces);

// The accent the dock tints its controls with: the configured one, else the system's.
std::string dockAccentHex(const AppSettings& settings, const std::string& systemAccentHex);

} // namespace tessarin
