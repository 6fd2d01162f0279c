#include "dock/DockSurface.h"

namespace tessarin {

std::vector<DockSurface> dockSurfaces(const Config& document, const std::filesystem::path& workspaces) {
    std::vector<DockSurface> surfaces;
    for (const auto& w : document.liveWorkspaces())
        surfaces.push_back({w.name, w.effectiveColorHex(), (workspaces / w.name).string(),
                            w.name == document.activeWorkspace});
    return surfaces;
}

std::string dockAccentHex(const AppSettings& settings, const std::string& systemAccentHex) {
    return settings.appearance.accentHex ? *settings.appearance.accentHex : systemAccentHex;
}

} // namespace tessarin
