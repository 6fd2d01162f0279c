#include "control/CommandRunner.h"

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
    cmd::SessionCommand* command = nullptr;
    if (!args.empty())
        for (const auto& c : commands)
            if (c->name() == args.front())
                command = dynamic_cast<cmd::SessionCommand*>(c.get());
    if (!command) {
        result.status = static_cast<int>(cmd::ExitStatus::usage);
        result.err = "tessarinctl: unknown command " + (args.empty() ? std::string() : args.front()) +
                     " (see tessarinctl --help)\n";
        return result;
    }
    cmd::Session session(context, parts_);
    const std::vector<std::string> rest(args.begin() + 1, args.end());
    result.status = static_cast<int>(command->runInOpenSession(session, context, rest));
    result.out = out.str();
    result.err = err.str();
    return result;
}

} // namespace tessarin
