#include "commands/SessionCommand.h"

#include <ostream>

namespace tessarin::ctl {

ExitStatus SessionCommand::run(CommandContext& context, const std::vector<std::string>& args) {
    if (args.size() != argumentCount()) {
        context.err << "Usage: tessarinctl " << name() << (synopsis().empty() ? "" : " ") << synopsis()
                    << "\n";
        return ExitStatus::usage;
    }
    Session session(context);
    if (auto failed = session.open())
        return *failed;
    return runInSession(session, context, args);
}

ExitStatus SwitchingCommand::runInSession(Session& session, CommandContext&,
                                          const std::vector<std::string>& args) {
    if (auto refused = session.refuseIfReadOnly())
        return *refused;
    return session.report(perform(session.sequence(), args));
}

} // namespace tessarin::ctl
