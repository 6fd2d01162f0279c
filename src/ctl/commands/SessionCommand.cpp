#include "commands/SessionCommand.h"

#include <ostream>

namespace tessarin::ctl {

ExitStatus SessionCommand::run(CommandContext& context, const std::vector<std::string>& args) {
    if (const auto problem = argumentProblem(args)) {
        context.err << *problem << "\n";
        return ExitStatus::usage;
    }
    Session session(context);
    if (auto failed = session.open())
        return *failed;
    return runInSession(session, context, args);
}

std::string SessionCommand::usageLine() const {
    return "Usage: tessarinctl " + name() + (synopsis().empty() ? "" : " ") + synopsis();
}

std::optional<std::string> SessionCommand::argumentProblem(const std::vector<std::string>& args) const {
    if (args.size() != argumentCount())
        return usageLine();
    return std::nullopt;
}

ExitStatus SwitchingCommand::runInSession(Session& session, CommandContext&,
                                          const std::vector<std::string>& args) {
    if (auto refused = session.refuseIfReadOnly())
        return *refused;
    return session.report(perform(session.sequence(), args));
}

} // namespace tessarin::ctl
