#pragma once

#include "commands/SessionCommand.h"

namespace tessarin::cmd {

class SwitchCommand : public SwitchingCommand {
public:
    std::string name() const override { return "switch"; }
    std::string synopsis() const override { return "NAME"; }
    std::string summary() const override { return "switch to the desktop NAME"; }

protected:
    size_t argumentCount() const override { return 1; }
    SwitchOutcome perform(SwitchSequence& s, const std::vector<std::string>& args) override {
        return s.switchUnlessActive(args.front());
    }
    AgentReply ask(AgentLink& agent, const std::vector<std::string>& args) override {
        return agent.switchTo(args.front());
    }
};

class HideCommand : public SwitchingCommand {
public:
    std::string name() const override { return "hide"; }
    std::string synopsis() const override { return ""; }
    std::string summary() const override { return "hide the Desktop (only pinned items stay)"; }

protected:
    SwitchOutcome perform(SwitchSequence& s, const std::vector<std::string>&) override;
    AgentReply ask(AgentLink& agent, const std::vector<std::string>&) override { return agent.hide(); }
};

class ShowCommand : public SwitchingCommand {
public:
    std::string name() const override { return "show"; }
    std::string synopsis() const override { return ""; }
    std::string summary() const override { return "show the Desktop again (the desktop that was hidden)"; }

protected:
    SwitchOutcome perform(SwitchSequence& s, const std::vector<std::string>&) override;
    AgentReply ask(AgentLink& agent, const std::vector<std::string>&) override { return agent.show(); }
};

class ToggleCommand : public SwitchingCommand {
public:
    std::string name() const override { return "toggle"; }
    std::string synopsis() const override { return ""; }
    std::string summary() const override { return "hide the Desktop, or show it when it is hidden"; }

protected:
    SwitchOutcome perform(SwitchSequence& s, const std::vector<std::string>&) override {
        return s.toggleCollapse();
    }
    AgentReply ask(AgentLink& agent, const std::vector<std::string>&) override { return agent.toggle(); }
};

class NextCommand : public SwitchingCommand {
public:
    std::string name() const override { return "next"; }
    std::string synopsis() const override { return ""; }
    std::string summary() const override { return "switch to the next permanent desktop"; }

protected:
    SwitchOutcome perform(SwitchSequence& s, const std::vector<std::string>&) override { return s.cycle(+1); }
    AgentReply ask(AgentLink& agent, const std::vector<std::string>&) override { return agent.next(); }
};

class PreviousCommand : public SwitchingCommand {
public:
    std::string name() const override { return "previous"; }
    std::string synopsis() const override { return ""; }
    std::string summary() const override { return "switch to the previous permanent desktop"; }

protected:
    SwitchOutcome perform(SwitchSequence& s, const std::vector<std::string>&) override { return s.cycle(-1); }
    AgentReply ask(AgentLink& agent, const std::vector<std::string>&) override { return agent.previous(); }
};

// Only the running agent remembers the previous desktop.
class LastCommand : public Command {
public:
    std::string name() const override { return "last"; }
    std::string synopsis() const override { return ""; }
    std::string summary() const override {
        return "switch back to the previous desktop (running agent only)";
    }
    ExitStatus run(CommandContext& context, const std::vector<std::string>& args) override;
};

class RecoverCommand : public SessionCommand {
public:
    std::string name() const override { return "recover"; }
    std::string synopsis() const override { return ""; }
    std::string summary() const override { return "finish an interrupted switch"; }

protected:
    ExitStatus runInSession(Session& session, CommandContext& context,
                            const std::vector<std::string>& args) override;
    std::optional<ExitStatus> forward(AgentLink& agent, CommandContext& context,
                                      const std::vector<std::string>& args) override;
};

} // namespace tessarin::cmd
