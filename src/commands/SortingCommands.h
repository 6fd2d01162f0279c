#pragma once

#include "commands/ModelCommand.h"

namespace tessarin::cmd {

// Sweeps the Desktop now: screenshots and the custom rules, in their order.
class SortNowCommand : public SessionCommand {
public:
    std::string name() const override { return "sort-now"; }
    std::string synopsis() const override { return ""; }
    std::string summary() const override { return "sweep screenshots and rule matches off the Desktop now"; }

protected:
    ExitStatus runInSession(Session& session, CommandContext& context,
                            const std::vector<std::string>& args) override;
};

// The custom filename rules. RULE is a rule's position (1 is the first) or its id.
class FilterCommand : public ModelCommand {
public:
    std::string name() const override { return "filter"; }
    std::string synopsis() const override { return "ACTION ..."; }
    std::string summary() const override {
        return "custom filename rules: list, add [WORD [DESKTOP]], remove|enable|disable RULE, pattern RULE "
               "WORD, "
               "target RULE DESKTOP";
    }
    static constexpr const char* usageText =
        "Usage: tessarinctl filter list | add [WORD [DESKTOP]] | remove RULE | enable RULE | disable RULE | "
        "pattern RULE WORD | target RULE DESKTOP\nRULE is a rule's position in the list (1 is the first) or "
        "its id.";

protected:
    std::optional<std::string> argumentProblem(const std::vector<std::string>& args) const override;
    ExitStatus runWithModel(SettingsModel& model, Session& session, CommandContext& context,
                            const std::vector<std::string>& args) override;

private:
    ExitStatus list(const SettingsModel& model, CommandContext& context);
    ExitStatus add(SettingsModel& model, CommandContext& context, const std::vector<std::string>& args);
};

} // namespace tessarin::cmd
