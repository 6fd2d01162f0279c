#include "commands/SessionCommand.h"

#include "session/CommandReports.h"

#include <ostream>

namespace tessarin::cmd {

ExitStatus SessionCommand::run(CommandContext& context, const std::vector<std::string>& args) {
    if (const auto problem = argumentProblem(args)) {
        context.err << *problem << "\n";
        return ExitStatus::usage;
    }
    if (context.agent) {
        if (auto status = forward(*context.agent, context, args))
            return *status;
    }
    Session session(context);
    if (auto failed = session.open())
        return *failed;
    try {
        return runInSession(session, context, args);
    } catch (const std::exception& e) {
        // Whatever a command did not expect still ends with its message, never with a crash.
        context.err << e.what() << "\n";
        return ExitStatus::refused;
    }
}

ExitStatus SessionCommand::runInOpenSession(Session& session, CommandContext& context,
                                            const std::vector<std::string>& args) {
    if (const auto problem = argumentProblem(args)) {
        context.err << *problem << "\n";
        return ExitStatus::usage;
    }
    try {
        return runInSession(session, context, args);
    } catch (const std::exception& e) {
        context.err << e.what() << "\n";
        return ExitStatus::refused;
    }
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

std::optional<ExitStatus> SessionCommand::forward(AgentLink& agent, CommandContext& context,
                                                  const std::vector<std::string>& args) {
    std::vector<std::string> line{name()};
    line.insert(line.end(), args.begin(), args.end());
    const AgentRun run = agent.runCommand(line, context.json);
    if (run.agentGone)
        return std::nullopt;
    context.out << run.out;
    context.err << run.err;
    return run.status;
}

std::optional<ExitStatus> SwitchingCommand::forward(AgentLink& agent, CommandContext& context,
                                                    const std::vector<std::string>& args) {
    const AgentReply reply = ask(agent, args);
    if (reply.agentGone)
        return std::nullopt;
    if (auto failed = replyFailure(reply, context))
        return failed;
    try {
        return reportSwitch(context, decodeSwitchOutcome(reply.text));
    } catch (const std::invalid_argument& e) {
        context.err << "The running Tessarin agent gave an answer this tessarinctl cannot read: " << e.what()
                    << "\n";
        return ExitStatus::refused;
    }
}

std::optional<ExitStatus> replyFailure(const AgentReply& reply, CommandContext& context) {
    if (reply.status == ExitStatus::done)
        return std::nullopt;
    context.err << reply.text << "\n";
    return reply.status;
}

} // namespace tessarin::cmd
