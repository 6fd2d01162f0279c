#include "control/CommandRunner.h"

#include "commands/DockCommand.h"
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
    // The commands on the store, and the dock, which lives in the agent. The others reach the agent
    // through methods of their own.
    cmd::Command* command = nullptr;
    if (!args.empty())
        for (const auto& c : commands)
            if (c->name() == args.front() &&
                (dynamic_cast<cmd::SessionCommand*>(c.get()) || dynamic_cast<cmd::DockCommand*>(c.get())))
                command = c.get();
    if (!command) {
        result.status = static_cast<int>(cmd::ExitStatus::usage);
        result.err = "tessarinctl: unknown command " + (args.empty() ? std::string() : args.front()) +
                     " (see tessarinctl --help)\n";
        return result;
    }
    const std::vector<std::string> rest(args.begin() + 1, args.end());
    if (auto* sessionCommand = dynamic_cast<cmd::SessionCommand*>(command)) {
        cmd::Session session(context, parts_);
        result.status = static_cast<int>(sessionCommand->runInOpenSession(session, context, rest));
    } else {
        result.status = static_cast<int>(command->run(context, rest));
    }
    result.out = out.str();
    result.err = err.str();
    return result;
}

} // namespace tessarin
