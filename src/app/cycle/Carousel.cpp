#include "cycle/Carousel.h"

#include <algorithm>

namespace tessarin {

std::optional<std::string> carouselTarget(const Config& document) {
    const auto live = document.liveWorkspaces();
    auto isLive = [&](const std::string& name) {
        return std::any_of(live.begin(), live.end(), [&](const Workspace& w) { return w.name == name; });
    };
    std::vector<std::string> list;
    for (const auto& name : document.settings.optionClickCarousel)
        if (isLive(name))
            list.push_back(name);
    if (list.empty())
        for (const auto& w : document.switchableWorkspaces())
            list.push_back(w.name);
    if (list.empty())
        return std::nullopt;
    const auto it = std::find(list.begin(), list.end(), document.activeWorkspace);
    const std::string target =
        it == list.end() ? list.front() : list[static_cast<size_t>(it - list.begin() + 1) % list.size()];
    if (target == document.activeWorkspace)
        return std::nullopt;
    return target;
}

} // namespace tessarin
