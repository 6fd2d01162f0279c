#include "commands/ReportCommands.h"

#include "organise/CleanupReminders.h"
#include "organise/CleanupTasks.h"
#include "support/SupportContact.h"

#include <nlohmann/json.hpp>
#include <ostream>

namespace tessarin::cmd {

namespace {

std::string localTime(Date date) {
    return formatIso8601Local(date.timePoint());
}

std::string joined(const std::vector<std::string>& names) {
    std::string text;
    for (const auto& name : names)
        text += (text.empty() ? "" : ", ") + name;
    return text;
}

} // namespace

ExitStatus CleanupsCommand::runInSession(Session& session, CommandContext& context,
                                         const std::vector<std::string>&) {
    const Config config = session.store().loadConfig();
    const Calendar calendar;
    const auto tasks = openCleanupTasks(config);
    const auto plan = CleanupReminders::plan(config, session.clock().now(), calendar);

    if (context.json) {
        auto jsonTasks = nlohmann::ordered_json::array();
        for (const auto& task : tasks)
            jsonTasks.push_back(
                {{"id", task.id.text()}, {"date", localTime(task.date)}, {"members", task.members}});
        auto jsonReminders = nlohmann::ordered_json::array();
        for (const auto& r : plan.reminders)
            jsonReminders.push_back({{"identifier", r.identifier},
                                     {"fireAt", localTime(r.fireAt)},
                                     {"title", r.title},
                                     {"body", r.body},
                                     {"sound", r.sound}});
        nlohmann::ordered_json j;
        j["tasks"] = std::move(jsonTasks);
        j["muted"] = config.settings.muteCleanupNotifications;
        j["reminders"] = std::move(jsonReminders);
        context.out << j.dump() << "\n";
        return ExitStatus::done;
    }
    if (tasks.empty())
        context.out << "No open cleanup tasks.\n";
    for (const auto& task : tasks)
        context.out << calendar.isoDay(task.date) << "  " << joined(task.members) << "\n";
    if (config.settings.muteCleanupNotifications) {
        context.out << "Reminders are muted.\n";
    } else if (!tasks.empty()) {
        context.out << "\nReminders:\n";
        if (plan.reminders.empty())
            context.out << "  none still ahead\n";
        for (const auto& r : plan.reminders)
            context.out << "  " << localTime(r.fireAt) << "  " << r.identifier << "  " << r.body << "\n";
    }
    return ExitStatus::done;
}

ExitStatus DiagnosticsCommand::runInSession(Session& session, CommandContext& context,
                                            const std::vector<std::string>&) {
    const SupportContact support(ProductInfo::current(), session.paths().root, session.log());
    const std::string report = support.diagnostics(session.store().loadConfig(), session.journalPending());
    if (context.json) {
        nlohmann::ordered_json j;
        j["report"] = report;
        const auto mail = support.mailUrl();
        j["mailto"] = mail ? nlohmann::ordered_json(*mail) : nlohmann::ordered_json(nullptr);
        context.out << j.dump() << "\n";
    } else {
        context.out << report << "\n";
    }
    return ExitStatus::done;
}

} // namespace tessarin::cmd
