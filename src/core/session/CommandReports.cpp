#include "session/CommandReports.h"

#include <nlohmann/json.hpp>

namespace tessarin {

namespace {

using Json = nlohmann::ordered_json;

std::vector<std::string> names(const std::vector<Workspace>& workspaces) {
    std::vector<std::string> result;
    result.reserve(workspaces.size());
    for (const auto& w : workspaces)
        result.push_back(w.name);
    return result;
}

Json parse(const std::string& text) {
    try {
        Json j = Json::parse(text);
        if (!j.is_object())
            throw std::invalid_argument("not a JSON object: " + text);
        return j;
    } catch (const Json::exception& e) {
        throw std::invalid_argument(std::string("unreadable reply: ") + e.what());
    }
}

template <typename T> void read(const Json& j, const char* key, T& into) {
    if (auto it = j.find(key); it != j.end() && !it->is_null()) {
        try {
            into = it->get<T>();
        } catch (const Json::exception& e) {
            throw std::invalid_argument(std::string(key) + ": " + e.what());
        }
    }
}

constexpr std::pair<SwitchOutcome::Result, const char*> resultNames[] = {
    {SwitchOutcome::Result::switched, "switched"},
    {SwitchOutcome::Result::failed, "failed"},
    {SwitchOutcome::Result::readOnly, "readOnly"},
    {SwitchOutcome::Result::nothingToDo, "nothingToDo"},
};

} // namespace

StatusReport makeStatusReport(StateStore& store, bool readOnly) {
    const Config config = store.loadConfig();
    StatusReport report;
    report.active = config.activeWorkspace;
    report.live = names(config.liveWorkspaces());
    report.archived = names(config.archivedWorkspaces());
    report.hidden = config.activeWorkspace == Config::blankWorkspaceName;
    try {
        report.journalPending = store.loadJournal().has_value();
    } catch (...) {
        report.journalPending = true; // an unreadable journal is still a pending one
    }
    report.readOnly = readOnly;
    return report;
}

std::string encodeStatusReport(const StatusReport& report) {
    Json j;
    j["active"] = report.active;
    j["live"] = report.live;
    j["archived"] = report.archived;
    j["hidden"] = report.hidden;
    j["journalPending"] = report.journalPending;
    j["readOnly"] = report.readOnly;
    return j.dump();
}

std::string encodeListReport(const StatusReport& report) {
    Json j;
    j["active"] = report.active;
    j["live"] = report.live;
    return j.dump();
}

StatusReport decodeStatusReport(const std::string& json) {
    const Json j = parse(json);
    StatusReport report;
    read(j, "active", report.active);
    read(j, "live", report.live);
    read(j, "archived", report.archived);
    read(j, "hidden", report.hidden);
    read(j, "journalPending", report.journalPending);
    read(j, "readOnly", report.readOnly);
    return report;
}

std::string encodeSwitchOutcome(const SwitchOutcome& outcome) {
    Json j;
    for (const auto& [result, name] : resultNames)
        if (result == outcome.result)
            j["result"] = name;
    j["from"] = outcome.leaving;
    j["to"] = outcome.target;
    j["skips"] = outcome.skips;
    j["milliseconds"] = outcome.milliseconds;
    if (!outcome.error.empty())
        j["error"] = outcome.error;
    return j.dump();
}

SwitchOutcome decodeSwitchOutcome(const std::string& json) {
    const Json j = parse(json);
    SwitchOutcome outcome;
    std::string result;
    read(j, "result", result);
    bool known = false;
    for (const auto& [value, name] : resultNames) {
        if (result == name) {
            outcome.result = value;
            known = true;
        }
    }
    if (!known)
        throw std::invalid_argument("unknown switch result \"" + result + "\"");
    read(j, "from", outcome.leaving);
    read(j, "to", outcome.target);
    read(j, "skips", outcome.skips);
    read(j, "milliseconds", outcome.milliseconds);
    read(j, "error", outcome.error);
    return outcome;
}

} // namespace tessarin
