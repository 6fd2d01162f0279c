#include "commands/StatusCommand.h"

#include <nlohmann/json.hpp>
#include <ostream>

namespace tessarin::ctl {

namespace {

std::vector<std::string> names(const std::vector<Workspace>& workspaces) {
    std::vector<std::string> result;
    result.reserve(workspaces.size());
    for (const auto& w : workspaces)
        result.push_back(w.name);
    return result;
}

std::string joined(const std::vector<std::string>& items) {
    std::string text;
    for (const auto& item : items)
        text += (text.empty() ? "" : ", ") + item;
    return text.empty() ? "(none)" : text;
}

} // namespace

ExitStatus StatusCommand::runInSession(Session& session, CommandContext& context,
                                       const std::vector<std::string>&) {
    const Config config = session.store().loadConfig();
    bool journalPending = false;
    try {
        journalPending = session.store().loadJournal().has_value();
    } catch (...) {
        journalPending = true; // an unreadable journal is still a pending one
    }
    const auto live = names(config.liveWorkspaces());
    const auto archived = names(config.archivedWorkspaces());
    const bool hidden = config.activeWorkspace == Config::blankWorkspaceName;
    if (context.json) {
        nlohmann::ordered_json j;
        j["active"] = config.activeWorkspace;
        j["live"] = live;
        j["archived"] = archived;
        j["hidden"] = hidden;
        j["journalPending"] = journalPending;
        j["readOnly"] = session.readOnly();
        context.out << j.dump() << "\n";
        return ExitStatus::done;
    }
    context.out << "Active desktop: " << config.activeWorkspace << "\n"
                << "Live desktops: " << joined(live) << "\n"
                << "Archived desktops: " << joined(archived) << "\n"
                << "Desktop hidden: " << (hidden ? "yes" : "no") << "\n"
                << "Journal pending: " << (journalPending ? "yes" : "no") << "\n"
                << "Read-only session: " << (session.readOnly() ? "yes" : "no") << "\n";
    return ExitStatus::done;
}

ExitStatus ListCommand::runInSession(Session& session, CommandContext& context,
                                     const std::vector<std::string>&) {
    const Config config = session.store().loadConfig();
    const auto live = names(config.liveWorkspaces());
    if (context.json) {
        nlohmann::ordered_json j;
        j["active"] = config.activeWorkspace;
        j["live"] = live;
        context.out << j.dump() << "\n";
        return ExitStatus::done;
    }
    for (const auto& name : live)
        context.out << (name == config.activeWorkspace ? "* " : "  ") << name << "\n";
    return ExitStatus::done;
}

} // namespace tessarin::ctl
