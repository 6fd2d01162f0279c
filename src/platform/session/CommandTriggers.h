#pragma once

#include "triggers/TriggerServices.h"

#include <memory>

namespace tessarin {

class XcbConnection;
class XkbKeyboard;

// The keyboard layout and the workspaces as tessarinctl sees them when it works without the agent:
// through a connection of its own to the X display (when there is one) and the session bus. Nothing is
// opened until a command asks.
class CommandTriggers {
public:
    CommandTriggers();
    ~CommandTriggers();
    CommandTriggers(const CommandTriggers&) = delete;
    CommandTriggers& operator=(const CommandTriggers&) = delete;

    // Valid while this object lives.
    TriggerServices services();

private:
    class Keyboard;
    class Spaces;
    XcbConnection* connection();

    bool connected_ = false;
    std::unique_ptr<XcbConnection> connection_;
    std::unique_ptr<Keyboard> keyboard_;
    std::unique_ptr<Spaces> spaces_;
};

} // namespace tessarin
