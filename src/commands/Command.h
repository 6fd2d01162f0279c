#pragma once

#include "commands/ExitStatus.h"
#include "store/Paths.h"
#include "triggers/TriggerServices.h"

#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

namespace tessarin::cmd {

class AgentLink;
class DockControl;

// What every command is given: where to print, the global options and the user's locations.
struct CommandContext {
    std::ostream& out;
    std::ostream& err;
    bool json = false;
    bool verbose = false;
    Paths paths;
    AgentLink* agent = nullptr;    // the running agent, which then does the work; null when none runs
    TriggerServices triggers = {}; // the session's keyboard layout and workspaces, as far as known
    DockControl* dock = nullptr;   // the floating dock, when the command runs inside the agent
};

// One tessarinctl command.
class Command {
public:
    virtual ~Command() = default;
    virtual std::string name() const = 0;
    virtual std::string synopsis() const = 0; // arguments, e.g. "NAME"
    virtual std::string summary() const = 0;  // one line for --help
    virtual ExitStatus run(CommandContext& context, const std::vector<std::string>& args) = 0;
};

using CommandList = std::vector<std::unique_ptr<Command>>;

// Every command tessarinctl knows, in the order --help lists them.
CommandList makeCommands();

} // namespace tessarin::cmd
