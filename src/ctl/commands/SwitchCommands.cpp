#include "commands/SwitchCommands.h"

#include <ostream>

namespace tessarin::ctl {

namespace {
const std::string blank(Config::blankWorkspaceName);
}

SwitchOutcome HideCommand::perform(SwitchSequence& s, const std::vector<std::string>&) {
    return s.collapse();
}

SwitchOutcome ShowCommand::perform(SwitchSequence& s, const std::vector<std::string>&) {
    return s.expand();
}

ExitStatus LastCommand::run(CommandContext& context, const std::vector<std::string>& args) {
    if (!args.empty()) {
        context.err << "Usage: tessarinctl last\n";
        return ExitStatus::usage;
    }
    context.err << "Only the running Tessarin agent remembers the previous desktop. Start Tessarin, or use "
                   "tessarinctl switch NAME.\n";
    return ExitStatus::refused;
}

ExitStatus RecoverCommand::runInSession(Session& session, CommandContext& context,
                                        const std::vector<std::string>&) {
    // The session's start-up already ran the recovery; report how it went.
    if (session.recoveryFailed())
        return ExitStatus::refused;
    if (session.readOnly()) {
        context.err << StoreError::newerText << "\n";
        return ExitStatus::readOnly;
    }
    return ExitStatus::done;
}

} // namespace tessarin::ctl
