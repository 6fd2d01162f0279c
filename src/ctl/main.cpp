#include "CommandLine.h"
#include "commands/Command.h"
#include "commands/HelpPages.h"
#include "forward/DBusAgentLink.h"
#include "session/CommandTriggers.h"
#include "store/StoreLock.h"
#include "support/BuildInfo.h"

#include <iostream>
#include <string>
#include <vector>

using namespace tessarin::cmd;
using tessarin::ctl::DBusAgentLink;

int main(int argc, char** argv) {
    const CommandList commands = makeCommands();
    const tessarin::ctl::CommandLine line =
        tessarin::ctl::parseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    if (line.help) {
        std::cout << tessarin::helpText(tessarinctlHelp(commands));
        return static_cast<int>(ExitStatus::done);
    }
    if (line.version) {
        std::cout << "tessarinctl " << tessarin::buildinfo::version << "\n";
        return static_cast<int>(ExitStatus::done);
    }
    if (line.unknown) {
        std::cerr << "tessarinctl: unknown option " << *line.unknown << " (see tessarinctl --help)\n";
        return static_cast<int>(ExitStatus::usage);
    }
    if (!line.command) {
        std::cerr << tessarin::helpText(tessarinctlHelp(commands));
        return static_cast<int>(ExitStatus::usage);
    }
    CommandContext context{std::cout, std::cerr, line.json, line.verbose, tessarin::Paths::forCurrentUser()};
    tessarin::CommandTriggers triggers; // the keyboard layout and workspaces, opened when a command asks
    context.triggers = triggers.services();
    for (const auto& c : commands) {
        if (c->name() != *line.command)
            continue;
        // With the agent running, the agent does the work (it holds the store); otherwise this process.
        // A running agent holds the store lock for its whole life, so while nobody holds it there is no
        // agent to ask and no session bus to connect to.
        const auto agent = tessarin::StoreLock::mayBeHeld(context.paths.root)
                               ? DBusAgentLink::connectIfRunning(context.paths.root)
                               : nullptr;
        context.agent = agent.get();
        return static_cast<int>(c->run(context, line.args));
    }
    std::cerr << "tessarinctl: unknown command " << *line.command << " (see tessarinctl --help)\n";
    return static_cast<int>(ExitStatus::usage);
}
