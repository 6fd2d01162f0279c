#pragma once

#include "commands/DockControl.h"

#include <functional>

namespace tessarin {

class FloatingDock;

// tessarinctl's `dock` inside the agent: the controller's show, hide and toggle, and what the dock
// looks like afterwards.
class AgentDockControl : public cmd::DockControl {
public:
    struct Actions {
        std::function<void()> show;
        std::function<void()> hide;
        std::function<void()> toggle;
    };

    AgentDockControl(FloatingDock& dock, Actions actions) : dock_(dock), actions_(std::move(actions)) {}

    State request(Request request) override;

private:
    FloatingDock& dock_;
    Actions actions_;
};

} // namespace tessarin
