#pragma once

#include "Command.h"
#include "Session.h"

namespace tessarin::ctl {

// A command that works on the store: it opens the session (lock, start-up steps) first.
class SessionCommand : public Command {
public:
    ExitStatus run(CommandContext& context, const std::vector<std::string>& args) final;

protected:
    // How many arguments the command takes.
    virtual size_t argumentCount() const { return 0; }
    // What is wrong with the arguments, checked before the store is opened; none when they fit. By
    // default the usage line when their count is not argumentCount().
    virtual std::optional<std::string> argumentProblem(const std::vector<std::string>& args) const;
    std::string usageLine() const;
    virtual ExitStatus runInSession(Session& session, CommandContext& context,
                                    const std::vector<std::string>& args) = 0;
};

// A command that changes the active desktop through the switch sequence.
class SwitchingCommand : public SessionCommand {
protected:
    ExitStatus runInSession(Session& session, CommandContext& context,
                            const std::vector<std::string>& args) final;
    virtual SwitchOutcome perform(SwitchSequence& sequence, const std::vector<std::string>& args) = 0;
};

} // namespace tessarin::ctl
