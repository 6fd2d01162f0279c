#pragma once

#include "commands/SessionCommand.h"

namespace tessarin::cmd {

// A command that changes the store through the archiver: refused in a read-only session; an
// ArchiveError or other failure is printed on stderr with exit status 1.
class ArchiverCommand : public SessionCommand {
protected:
    ExitStatus runInSession(Session& session, CommandContext& context,
                            const std::vector<std::string>& args) final;
    virtual ExitStatus change(Session& session, CommandContext& context,
                              const std::vector<std::string>& args) = 0;
    // Refuses (exit 1) a name that no desktop has: the archiver itself would quietly do nothing.
    static std::optional<ExitStatus> refuseUnknown(Session& session, CommandContext& context,
                                                   const std::string& name);
};

class ArchiveCommand : public ArchiverCommand {
public:
    std::string name() const override { return "archive"; }
    std::string synopsis() const override { return "NAME"; }
    std::string summary() const override { return "archive the temporary desktop NAME"; }

protected:
    size_t argumentCount() const override { return 1; }
    ExitStatus change(Session& session, CommandContext& context,
                      const std::vector<std::string>& args) override;
};

class RestoreCommand : public ArchiverCommand {
public:
    std::string name() const override { return "restore"; }
    std::string synopsis() const override { return "NAME"; }
    std::string summary() const override { return "bring the archived desktop NAME back"; }

protected:
    size_t argumentCount() const override { return 1; }
    ExitStatus change(Session& session, CommandContext& context,
                      const std::vector<std::string>& args) override;
};

class PourCommand : public ArchiverCommand {
public:
    std::string name() const override { return "pour"; }
    std::string synopsis() const override { return "NAME INTO"; }
    std::string summary() const override {
        return "move temporary desktop NAME's files into a folder in INTO and remove NAME";
    }

protected:
    size_t argumentCount() const override { return 2; }
    ExitStatus change(Session& session, CommandContext& context,
                      const std::vector<std::string>& args) override;
};

class DeleteCommand : public ArchiverCommand {
public:
    std::string name() const override { return "delete"; }
    std::string synopsis() const override { return "NAME"; }
    std::string summary() const override { return "move desktop NAME (live or archived) to the Trash"; }

protected:
    size_t argumentCount() const override { return 1; }
    ExitStatus change(Session& session, CommandContext& context,
                      const std::vector<std::string>& args) override;
};

class TickCommand : public ArchiverCommand {
public:
    std::string name() const override { return "tick"; }
    std::string synopsis() const override { return ""; }
    std::string summary() const override { return "archive or pour every desktop whose timer has run out"; }

protected:
    ExitStatus change(Session& session, CommandContext& context,
                      const std::vector<std::string>& args) override;
};

} // namespace tessarin::cmd
