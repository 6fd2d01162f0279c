#include "commands/SortingCommands.h"

#include "session/BusyTest.h"
#include "session/SweepTriggers.h"

#include <map>
#include <nlohmann/json.hpp>
#include <ostream>

namespace tessarin::cmd {

namespace {

// How many arguments each filter action takes after its name: {fewest, most}.
const std::map<std::string, std::pair<std::size_t, std::size_t>> filterActions = {
    {"list", {0, 0}},    {"add", {0, 2}},     {"remove", {1, 1}}, {"enable", {1, 1}},
    {"disable", {1, 1}}, {"pattern", {2, 2}}, {"target", {2, 2}},
};

// The rule that RULE names: a position counted from 1, or an id in either letter case.
std::optional<CustomFilter> findRule(const Config& config, const std::string& rule) {
    const auto& rules = config.settings.customFilters;
    if (const auto id = Uuid::parse(rule)) {
        for (const auto& f : rules)
            if (f.id == *id)
                return f;
        return std::nullopt;
    }
    std::size_t position = 0;
    for (const char c : rule) {
        if (c < '0' || c > '9' || position > rules.size())
            return std::nullopt;
        position = position * 10 + static_cast<std::size_t>(c - '0');
    }
    if (rule.empty() || position == 0 || position > rules.size())
        return std::nullopt;
    return rules[position - 1];
}

std::string quoted(const std::string& text) {
    return "\u201c" + text + "\u201d";
}

// The entries written while it is attached: the sweeps' lines of this one command, also when the log
// is a long-running agent's whose ring is full.
class CollectingSink : public LogSink {
public:
    void write(const LogEntry& entry) override { entries.push_back(entry); }
    std::vector<LogEntry> entries;
};

} // namespace

ExitStatus SortNowCommand::runInSession(Session& session, CommandContext& context,
                                        const std::vector<std::string>&) {
    if (auto refused = session.refuseIfReadOnly())
        return *refused;
    SweepTriggers triggers(
        session.store(), session.sweeps(),
        [&session] { return switchInProgress(session.sequence().isSwapping(), session.store()); }, {});
    const auto collected = std::make_shared<CollectingSink>();
    {
        const ScopedLogSink attached(session.log(), collected);
        triggers.sweepActiveDesktopNow();
    }
    // What the sweeps did, as their log lines: the swept counts on stdout, failures on stderr.
    for (const auto& entry : collected->entries) {
        if (entry.category == LogCategory::sweep && !context.json)
            context.out << entry.message << "\n";
        else if (entry.category == LogCategory::error)
            context.err << entry.message << "\n";
    }
    if (context.json) {
        auto swept = nlohmann::ordered_json::array();
        for (const auto& entry : collected->entries)
            if (entry.category == LogCategory::sweep)
                swept.push_back(entry.message);
        context.out << nlohmann::ordered_json{{"swept", swept}}.dump() << "\n";
    }
    return ExitStatus::done;
}

std::optional<std::string> FilterCommand::argumentProblem(const std::vector<std::string>& args) const {
    if (args.empty())
        return std::string(usageText);
    const auto action = filterActions.find(args[0]);
    if (action == filterActions.end())
        return std::string(usageText);
    const auto [fewest, most] = action->second;
    if (args.size() - 1 < fewest || args.size() - 1 > most)
        return std::string(usageText);
    return std::nullopt;
}

ExitStatus FilterCommand::runWithModel(SettingsModel& model, Session&, CommandContext& context,
                                       const std::vector<std::string>& args) {
    const std::string& action = args[0];
    if (action == "list")
        return list(model, context);
    if (action == "add")
        return add(model, context, args);

    const auto rule = findRule(model.config(), args[1]);
    if (!rule)
        return refuse(context, "There is no rule " + args[1] + ". See tessarinctl filter list.");
    auto& sorting = model.sorting;
    if (action == "remove")
        sorting.removeCustomFilter(rule->id);
    else if (action == "enable" || action == "disable")
        sorting.setCustomFilterEnabled(rule->id, action == "enable");
    else if (action == "pattern")
        sorting.setCustomFilterPattern(rule->id, args[2]);
    else if (action == "target")
        sorting.setCustomFilterCollection(rule->id, args[2]);
    return outcome(model, context);
}

ExitStatus FilterCommand::add(SettingsModel& model, CommandContext& context,
                              const std::vector<std::string>& args) {
    const auto id = model.sorting.addCustomFilter();
    if (!id)
        return outcome(model, context);
    if (args.size() > 1)
        model.sorting.setCustomFilterPattern(*id, args[1]);
    if (args.size() > 2 && !model.errorMessage())
        model.sorting.setCustomFilterCollection(*id, args[2]);
    if (model.errorMessage()) {
        // A rule half made is no use: take it away again.
        const std::string message = *model.errorMessage();
        model.sorting.removeCustomFilter(*id);
        return refuse(context, message);
    }
    const auto position = model.config().settings.customFilters.size();
    if (context.json)
        context.out << nlohmann::ordered_json{{"id", id->text()}, {"position", position}}.dump() << "\n";
    else
        context.out << position << " " << id->text() << "\n";
    return ExitStatus::done;
}

ExitStatus FilterCommand::list(const SettingsModel& model, CommandContext& context) {
    const AppSettings& s = model.config().settings;
    if (context.json) {
        auto rules = nlohmann::ordered_json::array();
        std::size_t position = 0;
        for (const auto& f : s.customFilters)
            rules.push_back({{"position", ++position},
                             {"id", f.id.text()},
                             {"enabled", f.enabled},
                             {"pattern", f.pattern},
                             {"desktop", f.collection}});
        context.out << nlohmann::ordered_json{{"enabled", s.customFiltersEnabled}, {"rules", rules}}.dump()
                    << "\n";
        return ExitStatus::done;
    }
    context.out << "Custom rules: " << (s.customFiltersEnabled ? "on" : "off") << "\n";
    std::size_t position = 0;
    for (const auto& f : s.customFilters)
        context.out << ++position << ". " << (f.enabled ? "on " : "off") << " " << quoted(f.pattern)
                    << " \u2192 " << (f.collection.empty() ? "(no desktop)" : f.collection) << "  "
                    << f.id.text() << "\n";
    return ExitStatus::done;
}

} // namespace tessarin::cmd
