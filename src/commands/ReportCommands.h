#pragma once

#include "commands/SessionCommand.h"

namespace tessarin::cmd {

// Reads only; works in a read-only session too.
class CleanupsCommand : public SessionCommand {
public:
    std::string name() const override { return "cleanups"; }
    std::string synopsis() const override { return ""; }
    std::string summary() const override { return "open cleanup tasks and the reminders they would get"; }

protected:
    ExitStatus runInSession(Session& session, CommandContext& context,
                            const std::vector<std::string>& args) override;
};

// Reads only; works in a read-only session too.
class DiagnosticsCommand : public SessionCommand {
public:
    std::string name() const override { return "diagnostics"; }
    std::string synopsis() const override { return ""; }
    std::string summary() const override { return "print the diagnostics report for a support request"; }

protected:
    ExitStatus runInSession(Session& session, CommandContext& context,
                            const std::vector<std::string>& args) override;
};

} // namespace tessarin::cmd
