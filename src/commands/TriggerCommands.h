#pragma once

#include "commands/ModelCommand.h"

namespace tessarin::cmd {

// Shows, assigns or clears the shortcut of a desktop or of one of the commands (cycle-next, ...).
class ShortcutCommand : public ModelCommand {
public:
    std::string name() const override { return "shortcut"; }
    std::string synopsis() const override { return "OWNER [COMBO | --clear]"; }
    std::string summary() const override {
        return "show or set a desktop's or command's global shortcut (Super+Alt+1)";
    }

protected:
    std::optional<std::string> argumentProblem(const std::vector<std::string>& args) const override;
    ExitStatus runWithModel(SettingsModel& model, Session& session, CommandContext& context,
                            const std::vector<std::string>& args) override;
};

// Lists every shortcut in use with its text.
class ShortcutsCommand : public SessionCommand {
public:
    std::string name() const override { return "shortcuts"; }
    std::string synopsis() const override { return ""; }
    std::string summary() const override { return "list the global shortcuts"; }

protected:
    ExitStatus runInSession(Session& session, CommandContext& context,
                            const std::vector<std::string>& args) override;
};

// Shows a desktop's workspace, binds it to the window manager's workspace NUMBER, or unbinds it.
class SpaceCommand : public ModelCommand {
public:
    std::string name() const override { return "space"; }
    std::string synopsis() const override { return "NAME [NUMBER | --unbind]"; }
    std::string summary() const override { return "bind a desktop to a workspace (1, 2, ...)"; }

protected:
    std::optional<std::string> argumentProblem(const std::vector<std::string>& args) const override;
    ExitStatus runWithModel(SettingsModel& model, Session& session, CommandContext& context,
                            const std::vector<std::string>& args) override;
};

} // namespace tessarin::cmd
