#include "commands/ArchiveCommands.h"

#include <nlohmann/json.hpp>
#include <ostream>
#include <set>

namespace tessarin::cmd {

namespace {

std::string quoted(const std::string& name) {
    return "\u201c" + name + "\u201d";
}

// Keeps the messages logged while a command runs, to report what it did.
struct Transcript : LogSink {
    std::vector<LogEntry> entries;
    void write(const LogEntry& entry) override { entries.push_back(entry); }
};

void printDone(CommandContext& context, nlohmann::ordered_json json, const std::string& text) {
    if (context.json)
        context.out << json.dump() << "\n";
    else
        context.out << text << "\n";
}

} // namespace

ExitStatus ArchiverCommand::runInSession(Session& session, CommandContext& context,
                                         const std::vector<std::string>& args) {
    if (auto refused = session.refuseIfReadOnly())
        return *refused;
    try {
        return change(session, context, args);
    } catch (const StoreError& e) {
        context.err << e.what() << "\n";
        return e.kind() == StoreError::Kind::configNewerThanApp ? ExitStatus::readOnly : ExitStatus::refused;
    } catch (const std::exception& e) {
        context.err << e.what() << "\n";
        return ExitStatus::refused;
    }
}

std::optional<ExitStatus> ArchiverCommand::refuseUnknown(Session& session, CommandContext& context,
                                                         const std::string& name) {
    if (session.store().loadConfig().findWorkspace(name))
        return std::nullopt;
    context.err << "There's no desktop named " << quoted(name) << ".\n";
    return ExitStatus::refused;
}

ExitStatus ArchiveCommand::change(Session& session, CommandContext& context,
                                  const std::vector<std::string>& args) {
    const std::string& name = args[0];
    if (auto refused = refuseUnknown(session, context, name))
        return *refused;
    // The screenshots desktop is renamed when it is archived: its archive is the one location that no
    // archived desktop had before.
    std::set<std::string> known;
    for (const auto& w : session.store().loadConfig().archivedWorkspaces())
        known.insert(w.archiveLocation.value_or(""));
    session.archiver().archive(name);
    std::string location;
    for (const auto& w : session.store().loadConfig().archivedWorkspaces())
        if (const std::string at = w.archiveLocation.value_or(""); !known.contains(at))
            location = at;
    printDone(context, {{"archived", name}, {"location", location}},
              "Archived " + quoted(name) + " into " + location);
    return ExitStatus::done;
}

ExitStatus RestoreCommand::change(Session& session, CommandContext& context,
                                  const std::vector<std::string>& args) {
    const std::string& name = args[0];
    if (auto refused = refuseUnknown(session, context, name))
        return *refused;
    if (session.store().loadConfig().findWorkspace(name)->state == WorkspaceState::active) {
        context.err << quoted(name) << " isn't archived, so there is nothing to restore.\n";
        return ExitStatus::refused;
    }
    session.archiver().restore(name);
    const std::string folder = (session.paths().workspaces / name).string();
    printDone(context, {{"restored", name}, {"folder", folder}},
              "Restored " + quoted(name) + " to " + folder);
    return ExitStatus::done;
}

ExitStatus PourCommand::change(Session& session, CommandContext& context,
                               const std::vector<std::string>& args) {
    const std::string& name = args[0];
    const std::string& target = args[1];
    if (auto refused = refuseUnknown(session, context, name))
        return *refused;
    session.archiver().drain(name, target);
    const std::string folder = (session.paths().workspaces / target / name).string();
    printDone(context, {{"poured", name}, {"into", target}, {"folder", folder}},
              "Poured " + quoted(name) + " into " + folder);
    return ExitStatus::done;
}

ExitStatus DeleteCommand::change(Session& session, CommandContext& context,
                                 const std::vector<std::string>& args) {
    const std::string& name = args[0];
    if (auto refused = refuseUnknown(session, context, name))
        return *refused;
    if (name == Config::blankWorkspaceName) {
        context.err << quoted(name) << " is Tessarin's own blank desktop and can't be deleted.\n";
        return ExitStatus::refused;
    }
    const Config config = session.store().loadConfig();
    const bool live = config.findWorkspace(name)->state == WorkspaceState::active;
    const RemovalOutcome outcome = live ? session.archiver().deleteWorkspace(name, session.journalPending())
                                        : session.archiver().deleteArchived(name);
    if (outcome.errorMessage) {
        context.err << *outcome.errorMessage << "\n";
        return ExitStatus::refused;
    }
    if (const auto& failure = outcome.deleteFailure) {
        context.err << "Couldn't move " << quoted(failure->workspace) << " to the Trash: " << failure->reason
                    << (failure->folderMissing ? " (its folder is missing)" : "") << "\n";
        return ExitStatus::refused;
    }
    printDone(context, {{"deleted", name}}, "Moved " + quoted(name) + " to the Trash");
    return ExitStatus::done;
}

ExitStatus TickCommand::change(Session& session, CommandContext& context, const std::vector<std::string>&) {
    auto transcript = std::make_shared<Transcript>();
    std::vector<std::string> completed;
    {
        // Only this command's lines: the log may be a long-running agent's.
        const ScopedLogSink attached(session.log(), transcript);
        completed = session.archiver().fireDueTimers(session.clock().now());
    }

    std::vector<std::string> done;
    std::vector<std::string> failed;
    for (const auto& entry : transcript->entries)
        (entry.category == LogCategory::error ? failed : done).push_back(entry.message);
    if (context.json) {
        context.out
            << nlohmann::ordered_json{{"completed", completed}, {"log", done}, {"failed", failed}}.dump()
            << "\n";
    } else {
        for (const auto& line : done)
            context.out << line << "\n";
        if (completed.empty() && failed.empty())
            context.out << "Nothing is due.\n";
    }
    for (const auto& line : failed)
        context.err << line << "\n";
    return failed.empty() ? ExitStatus::done : ExitStatus::refused;
}

} // namespace tessarin::cmd
