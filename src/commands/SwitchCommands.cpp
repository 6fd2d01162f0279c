#include "commands/SwitchCommands.h"

#include "session/CommandReports.h"

#include <ostream>

namespace tessarin::cmd {

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
    if (context.agent) {
        const AgentReply reply = context.agent->last();
        if (!reply.agentGone) {
            if (auto failed = replyFailure(reply, context))
                return *failed;
            return reportSwitch(context, decodeSwitchOutcome(reply.text));
        }
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

std::optional<ExitStatus> RecoverCommand::forward(AgentLink& agent, CommandContext& context,
                                                  const std::vector<std::string>&) {
    const AgentReply reply = agent.recover();
    if (reply.agentGone)
        return std::nullopt;
    if (auto failed = replyFailure(reply, context))
        return failed;
    return ExitStatus::done;
}

} // namespace tessarin::cmd
