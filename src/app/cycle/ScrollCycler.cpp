#include "cycle/ScrollCycler.h"

namespace tessarin {

ScrollCycler::ScrollCycler(ReadDocument read, Switch switchTo, QObject* parent)
    : QObject(parent), read_(std::move(read)), switchTo_(std::move(switchTo)) {
    commitTimer_.setSingleShot(true);
    commitTimer_.setInterval(commitDelayMs);
    connect(&commitTimer_, &QTimer::timeout, this, &ScrollCycler::commit);
}

void ScrollCycler::handle(const ScrollInput& input) {
    if (input.momentum)
        return;
    const Config document = read_();
    std::vector<std::string> ring;
    for (const auto& w : document.liveWorkspaces())
        ring.push_back(w.name);
    if (ring.empty())
        return;
    for (const auto& preview : gesture_.handle(input, ring, document.activeWorkspace))
        hud_.show(preview.ring, preview.index, preview.wraps, preview.slide);
    commitTimer_.start(); // each event moves the commit back
}

void ScrollCycler::commit() {
    commitTimer_.stop();
    hud_.hide();
    const auto chosen = gesture_.commit();
    if (chosen && *chosen != read_().activeWorkspace)
        switchTo_(*chosen);
}

} // namespace tessarin
