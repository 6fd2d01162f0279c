#pragma once

#include "commands/SessionCommand.h"

namespace tessarin::cmd {

// Starting Tessarin at login: the autostart entry. Without an argument, says whether it is on. Done by
// the running agent when there is one.
class AutostartCommand : public Command {
public:
    std::string name() const override { return "autostart"; }
    std::string synopsis() const override { return "[on | off]"; }
    std::string summary() const override { return "start Tessarin when you log in, or not"; }
    ExitStatus run(CommandContext& context, const std::vector<std::string>& args) override;
};

// Puts every live desktop back on the Desktop as a folder, brings pinned items back and removes the
// autostart entry; then says how to remove the program itself. Asks for --yes. The running agent does
// it and then quits.
class UninstallCommand : public SessionCommand {
public:
    std::string name() const override { return "uninstall"; }
    std::string synopsis() const override { return "--yes"; }
    std::string summary() const override { return "bring every desktop back to the Desktop, then remove"; }
    ExitStatus run(CommandContext& context, const std::vector<std::string>& args) override;

protected:
    std::optional<std::string> argumentProblem(const std::vector<std::string>& args) const override;
    ExitStatus runInSession(Session& session, CommandContext& context,
                            const std::vector<std::string>& args) override;
};

// Starts the agent through the session bus (its D-Bus service file), unless it runs already.
class StartCommand : public Command {
public:
    std::string name() const override { return "start"; }
    std::string synopsis() const override { return ""; }
    std::string summary() const override { return "start the Tessarin agent if it isn't running"; }
    ExitStatus run(CommandContext& context, const std::vector<std::string>& args) override;
};

} // namespace tessarin::cmd
