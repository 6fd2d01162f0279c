#include "dock/FloatingDockModel.h"

namespace tessarin {

std::optional<std::string> FloatingDockState::activeName() const {
    for (const auto& s : surfaces)
        if (s.isActive)
            return s.name;
    return std::nullopt;
}

void FloatingDockModel::update(const std::function<void(FloatingDockState&)>& change) {
    FloatingDockState next = state_;
    change(next);
    next.metrics = dockMetrics(next.size, next.axis);
    const bool same = next == state_;
    state_ = std::move(next);
    if (!same)
        emit changed();
}

} // namespace tessarin
