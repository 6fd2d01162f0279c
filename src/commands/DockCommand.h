#pragma once

#include "commands/Command.h"

namespace tessarin::cmd {

// Shows, hides or toggles the running agent's floating dock, or tells whether it is shown.
class DockCommand : public Command {
public:
    std::string name() const override { return "dock"; }
    std::string synopsis() const override { return "[show | hide | toggle]"; }
    std::string summary() const override { return "show or hide the floating dock (running agent only)"; }
    ExitStatus run(CommandContext& context, const std::vector<std::string>& args) override;
};

} // namespace tessarin::cmd
