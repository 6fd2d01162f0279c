#include "commands/StatusCommand.h"

#include "session/CommandReports.h"

#include <ostream>

namespace tessarin::cmd {

namespace {

std::string joined(const std::vector<std::string>& items) {
    std::string text;
    for (const auto& item : items)
        text += (text.empty() ? "" : ", ") + item;
    return text.empty() ? "(none)" : text;
}

ExitStatus printStatus(CommandContext& context, const StatusReport& report) {
    if (context.json) {
        context.out << encodeStatusReport(report) << "\n";
        return ExitStatus::done;
    }
    context.out << "Active desktop: " << report.active << "\n"
                << "Live desktops: " << joined(report.live) << "\n"
                << "Archived desktops: " << joined(report.archived) << "\n"
                << "Desktop hidden: " << (report.hidden ? "yes" : "no") << "\n"
                << "Journal pending: " << (report.journalPending ? "yes" : "no") << "\n"
                << "Read-only session: " << (report.readOnly ? "yes" : "no") << "\n";
    return ExitStatus::done;
}

ExitStatus printList(CommandContext& context, const StatusReport& report) {
    if (context.json) {
        context.out << encodeListReport(report) << "\n";
        return ExitStatus::done;
    }
    for (const auto& name : report.live)
        context.out << (name == report.active ? "* " : "  ") << name << "\n";
    return ExitStatus::done;
}

// The agent's report printed as this process would print its own.
std::optional<ExitStatus> printReply(const AgentReply& reply, CommandContext& context,
                                     ExitStatus (*print)(CommandContext&, const StatusReport&)) {
    if (reply.agentGone)
        return std::nullopt;
    if (auto failed = replyFailure(reply, context))
        return failed;
    try {
        return print(context, decodeStatusReport(reply.text));
    } catch (const std::invalid_argument& e) {
        context.err << "The running Tessarin agent gave an answer this tessarinctl cannot read: " << e.what()
                    << "\n";
        return ExitStatus::refused;
    }
}

} // namespace

ExitStatus StatusCommand::runInSession(Session& session, CommandContext& context,
                                       const std::vector<std::string>&) {
    return printStatus(context, makeStatusReport(session.store(), session.readOnly()));
}

std::optional<ExitStatus> StatusCommand::forward(AgentLink& agent, CommandContext& context,
                                                 const std::vector<std::string>&) {
    return printReply(agent.status(), context, printStatus);
}

ExitStatus ListCommand::runInSession(Session& session, CommandContext& context,
                                     const std::vector<std::string>&) {
    return printList(context, makeStatusReport(session.store(), session.readOnly()));
}

std::optional<ExitStatus> ListCommand::forward(AgentLink& agent, CommandContext& context,
                                               const std::vector<std::string>&) {
    return printReply(agent.list(), context, printList);
}

} // namespace tessarin::cmd
