#pragma once

#include "commands/SessionCommand.h"

namespace tessarin::cmd {

// The active desktop, the live and archived desktops, and the state of the store.
class StatusCommand : public SessionCommand {
public:
    std::string name() const override { return "status"; }
    std::string synopsis() const override { return ""; }
    std::string summary() const override {
        return "active, live and archived desktops; hidden, journal pending, read-only";
    }

protected:
    ExitStatus runInSession(Session& session, CommandContext& context,
                            const std::vector<std::string>& args) override;
    std::optional<ExitStatus> forward(AgentLink& agent, CommandContext& context,
                                      const std::vector<std::string>& args) override;
};

// The live desktops in order, the active one marked.
class ListCommand : public SessionCommand {
public:
    std::string name() const override { return "list"; }
    std::string synopsis() const override { return ""; }
    std::string summary() const override {
        return "live desktops in order, the active one prefixed by \"* \"";
    }

protected:
    ExitStatus runInSession(Session& session, CommandContext& context,
                            const std::vector<std::string>& args) override;
    std::optional<ExitStatus> forward(AgentLink& agent, CommandContext& context,
                                      const std::vector<std::string>& args) override;
};

} // namespace tessarin::cmd
