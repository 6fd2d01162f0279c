#include "dock/AgentDockControl.h"

#include "dock/FloatingDock.h"

namespace tessarin {

namespace {

cmd::DockControl::Frame frameOf(const QRect& r) {
    return {r.x(), r.y(), r.width(), r.height()};
}

const char* halfName(DockHalf half) {
    switch (half) {
    case DockHalf::upper:
        return "upper";
    case DockHalf::lower:
        return "lower";
    case DockHalf::leading:
        return "leading";
    case DockHalf::trailing:
        return "trailing";
    }
    return "";
}

} // namespace

cmd::DockControl::State AgentDockControl::request(Request request) {
    const std::function<void()>* action = nullptr;
    switch (request) {
    case Request::report:
        break;
    case Request::show:
        action = &actions_.show;
        break;
    case Request::hide:
        action = &actions_.hide;
        break;
    case Request::toggle:
        action = &actions_.toggle;
        break;
    }
    if (action && *action)
        (*action)();

    const FloatingDock::Snapshot snapshot = dock_.snapshot();
    State state;
    state.visible = snapshot.visible;
    state.parkedElsewhere = snapshot.parkedElsewhere;
    state.screen = snapshot.screen.toStdString();
    state.frame = frameOf(snapshot.frame);
    state.half = halfName(snapshot.half);
    state.targeted = snapshot.targeted.value_or("");
    for (const auto& [name, frame] : snapshot.tiles)
        state.tiles.push_back({name, frameOf(frame)});
    return state;
}

} // namespace tessarin
