#include "control/CommandRunner.h"

#include "commands/DockCommand.h"
#include "commands/InstallCommands.h"
#include "commands/Session.h"
#include "commands/SessionCommand.h"

#include <sstream>

namespace tessarin {

CommandResult CommandRunner::run(const std::vector<std::string>& args, bool json) {
    std::ostringstream out;
    std::ostringstream err;
    cmd::CommandContext context{out, err, json, false, paths_};
    context.triggers = triggers_;
    CommandResult result;
    const cmd::CommandList commands = cmd::makeCommands();
    context.dock = dock_;
    // The store commands, over the agent's open store; autostart, which needs no store but is the
    // agent's to change (its program is what the entry starts); and the dock, which lives in the agent.
    // Any other command is not run here: it would open the store the agent holds.
    cmd::Command* command = nullptr;
    if (!args.empty())
        for (const auto& c : commands)
            if (c->name() == args.front() &&
                (dynamic_cast<cmd::SessionCommand*>(c.get()) ||
                 dynamic_cast<cmd::AutostartCommand*>(c.get()) || dynamic_cast<cmd::DockCommand*>(c.get())))
                command = c.get();
    if (!command) {
        result.status = static_cast<int>(cmd::ExitStatus::usage);
        result.err = "tessarinctl: unknown command " + (args.empty() ? std::string() : args.front()) +
                     " (see tessarinctl --help)\n";
        return result;
    }
    const std::vector<std::string> rest(args.begin() + 1, args.end());
    const bool uninstall = dynamic_cast<cmd::UninstallCommand*>(command) != nullptr;
    if (uninstall && beforeUninstall_)
        beforeUninstall_();
    if (auto* sessionCommand = dynamic_cast<cmd::SessionCommand*>(command)) {
        cmd::Session session(context, parts_);
        result.status = static_cast<int>(sessionCommand->runInOpenSession(session, context, rest));
    } else {
        // Autostart and the dock do their work in this process: context.agent is null.
        result.status = static_cast<int>(command->run(context, rest));
    }
    result.out = out.str();
    result.err = err.str();
    result.endsAgent = uninstall && result.status == static_cast<int>(cmd::ExitStatus::done);
    return result;
}

} // namespace tessarin
