#pragma once

#include "commands/AgentLink.h"
#include "commands/Command.h"
#include "commands/Session.h"

namespace tessarin::cmd {

// A command that works on the store: it opens the session (lock, start-up steps) first.
class SessionCommand : public Command {
public:
    ExitStatus run(CommandContext& context, const std::vector<std::string>& args) override;
    // The command over a store its owner already opened (the running agent's): the arguments are
    // checked, then the work is done with the session's objects, printing as run() does.
    ExitStatus runInOpenSession(Session& session, CommandContext& context,
                                const std::vector<std::string>& args);

protected:
    // How many arguments the command takes.
    virtual size_t argumentCount() const { return 0; }
    // What is wrong with the arguments, checked before the store is opened; none when they fit. By
    // default the usage line when their count is not argumentCount().
    virtual std::optional<std::string> argumentProblem(const std::vector<std::string>& args) const;
    std::string usageLine() const;
    virtual ExitStatus runInSession(Session& session, CommandContext& context,
                                    const std::vector<std::string>& args) = 0;
    // The command done by the running agent; none to do it in this process instead (when the agent
    // went away before answering). By default the agent runs this same command over its open store
    // and hands back what it printed and its exit status.
    virtual std::optional<ExitStatus> forward(AgentLink& agent, CommandContext& context,
                                              const std::vector<std::string>& args);
};

// A command that changes the active desktop through the switch sequence.
class SwitchingCommand : public SessionCommand {
protected:
    ExitStatus runInSession(Session& session, CommandContext& context,
                            const std::vector<std::string>& args) final;
    std::optional<ExitStatus> forward(AgentLink& agent, CommandContext& context,
                                      const std::vector<std::string>& args) final;
    virtual SwitchOutcome perform(SwitchSequence& sequence, const std::vector<std::string>& args) = 0;
    virtual AgentReply ask(AgentLink& agent, const std::vector<std::string>& args) = 0;
};

// A failed reply's message on stderr and its status; none for a successful reply.
std::optional<ExitStatus> replyFailure(const AgentReply& reply, CommandContext& context);

} // namespace tessarin::cmd
