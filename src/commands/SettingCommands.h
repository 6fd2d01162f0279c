#pragma once

#include "commands/ModelCommand.h"

namespace tessarin::cmd {

// Sets one plain setting by its field name.
class SetCommand : public ModelCommand {
public:
    std::string name() const override { return "set"; }
    std::string synopsis() const override { return "KEY VALUE"; }
    std::string summary() const override { return "change a setting (tessarinctl get lists them)"; }

protected:
    std::optional<std::string> argumentProblem(const std::vector<std::string>& args) const override;
    ExitStatus runWithModel(SettingsModel& model, Session& session, CommandContext& context,
                            const std::vector<std::string>& args) override;
};

// Prints one setting, or without a key every plain setting's name and value.
class GetCommand : public SessionCommand {
public:
    std::string name() const override { return "get"; }
    std::string synopsis() const override { return "[KEY]"; }
    std::string summary() const override {
        return "print a setting; without KEY, every setting and its value";
    }

protected:
    std::optional<std::string> argumentProblem(const std::vector<std::string>& args) const override;
    ExitStatus runInSession(Session& session, CommandContext& context,
                            const std::vector<std::string>& args) override;
};

} // namespace tessarin::cmd
