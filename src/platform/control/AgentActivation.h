#pragma once

#include <optional>
#include <string>

namespace tessarin::control {

// Asks the session bus to start the agent from its D-Bus service file
// (share/dbus-1/services/com.orrinvale.Tessarin.service) and waits until the agent owns its name.
// None when the agent runs afterwards; otherwise the user-facing reason it doesn't.
std::optional<std::string> startAgentThroughBus();

// The agent's name has an owner on the session bus.
bool agentIsRunning();

} // namespace tessarin::control
