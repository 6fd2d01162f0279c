#include "commands/Command.h"
#include "commands/HelpPages.h"
#include "forward/DBusAgentLink.h"
#include "session/CommandTriggers.h"
#include "support/BuildInfo.h"

#include <iostream>
#include <string_view>

using namespace tessarin::cmd;
using tessarin::ctl::DBusAgentLink;

int main(int argc, char** argv) {
    const CommandList commands = makeCommands();
    CommandContext context{std::cout, std::cerr, false, false, tessarin::Paths::forCurrentUser()};
    tessarin::CommandTriggers triggers; // the keyboard layout and workspaces, opened when a command asks
    context.triggers = triggers.services();
    int i = 1;
    for (; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--json") {
            context.json = true;
        } else if (arg == "--verbose" || arg == "-v") {
            context.verbose = true;
        } else if (arg == "--help" || arg == "-h" || arg == "help") {
            std::cout << tessarin::helpText(tessarinctlHelp(commands));
            return static_cast<int>(ExitStatus::done);
        } else if (arg == "--version" || arg == "-V") {
            std::cout << "tessarinctl " << tessarin::buildinfo::version << "\n";
            return static_cast<int>(ExitStatus::done);
        } else if (arg.starts_with("-")) {
            std::cerr << "tessarinctl: unknown option " << arg << " (see tessarinctl --help)\n";
            return static_cast<int>(ExitStatus::usage);
        } else {
            break;
        }
    }
    if (i == argc) {
        std::cerr << tessarin::helpText(tessarinctlHelp(commands));
        return static_cast<int>(ExitStatus::usage);
    }
    const std::string_view name = argv[i];
    for (const auto& c : commands) {
        if (c->name() != name)
            continue;
        // With the agent running, the agent does the work (it holds the store); otherwise this process.
        const auto agent = DBusAgentLink::connectIfRunning(context.paths.root);
        context.agent = agent.get();
        return static_cast<int>(c->run(context, std::vector<std::string>(argv + i + 1, argv + argc)));
    }
    std::cerr << "tessarinctl: unknown command " << name << " (see tessarinctl --help)\n";
    return static_cast<int>(ExitStatus::usage);
}
