#pragma once

#include "commands/ModelCommand.h"

namespace tessarin::cmd {

class NewCommand : public ModelCommand {
public:
    std::string name() const override { return "new"; }
    std::string synopsis() const override { return "NAME [OPTIONS]"; }
    std::string summary() const override {
        return "make a desktop; options: --temporary, --idle DAYS | --fixed DAYS, --move-into NAME, "
               "--no-cleanup, "
               "--carousel";
    }
    static constexpr const char* usageText =
        "Usage: tessarinctl new NAME [--temporary] [--idle DAYS | --fixed DAYS] "
        "[--move-into NAME] [--no-cleanup] [--carousel]";

protected:
    std::optional<std::string> argumentProblem(const std::vector<std::string>& args) const override;
    ExitStatus runWithModel(SettingsModel& model, Session& session, CommandContext& context,
                            const std::vector<std::string>& args) override;
};

class RenameCommand : public ModelCommand {
public:
    std::string name() const override { return "rename"; }
    std::string synopsis() const override { return "OLD NEW"; }
    std::string summary() const override { return "rename a desktop and its folder"; }

protected:
    size_t argumentCount() const override { return 2; }
    ExitStatus runWithModel(SettingsModel& model, Session& session, CommandContext& context,
                            const std::vector<std::string>& args) override;
};

class TypeCommand : public ModelCommand {
public:
    std::string name() const override { return "type"; }
    std::string synopsis() const override { return "NAME TYPE"; }
    std::string summary() const override { return "make a desktop permanent or temporary (TYPE)"; }

protected:
    std::optional<std::string> argumentProblem(const std::vector<std::string>& args) const override;
    ExitStatus runWithModel(SettingsModel& model, Session& session, CommandContext& context,
                            const std::vector<std::string>& args) override;
};

class OrderCommand : public ModelCommand {
public:
    std::string name() const override { return "order"; }
    std::string synopsis() const override { return "NAME..."; }
    std::string summary() const override { return "put the live desktops in this order"; }

protected:
    std::optional<std::string> argumentProblem(const std::vector<std::string>& args) const override;
    ExitStatus runWithModel(SettingsModel& model, Session& session, CommandContext& context,
                            const std::vector<std::string>& args) override;
};

class AdoptCommand : public ModelCommand {
public:
    std::string name() const override { return "adopt"; }
    std::string synopsis() const override { return "NAME"; }
    std::string summary() const override { return "make a desktop of a folder found in the desktops folder"; }

protected:
    size_t argumentCount() const override { return 1; }
    ExitStatus runWithModel(SettingsModel& model, Session& session, CommandContext& context,
                            const std::vector<std::string>& args) override;
};

class PinCommand : public ModelCommand {
public:
    std::string name() const override { return "pin"; }
    std::string synopsis() const override { return "NAME"; }
    std::string summary() const override {
        return "keep the Desktop item NAME on the Desktop through switches";
    }

protected:
    size_t argumentCount() const override { return 1; }
    ExitStatus runWithModel(SettingsModel& model, Session& session, CommandContext& context,
                            const std::vector<std::string>& args) override;
};

class UnpinCommand : public ModelCommand {
public:
    std::string name() const override { return "unpin"; }
    std::string synopsis() const override { return "NAME"; }
    std::string summary() const override { return "let NAME travel with its desktop again"; }

protected:
    size_t argumentCount() const override { return 1; }
    ExitStatus runWithModel(SettingsModel& model, Session& session, CommandContext& context,
                            const std::vector<std::string>& args) override;
};

} // namespace tessarin::cmd
