#include "commands/SettingCommands.h"

#include "model/ConfigCodec.h"
#include "settings/SettingKeys.h"

#include <algorithm>
#include <nlohmann/json.hpp>
#include <ostream>

namespace tessarin::cmd {

namespace {

std::string unknownKeyText(const std::string& command, const std::string& key) {
    std::string names;
    for (const auto& k : settingKeys())
        names += (names.empty() ? "" : ", ") + k.name();
    return "tessarinctl " + command + ": unknown setting \u201c" + key + "\u201d. Settings: " + names + ".";
}

// Every field of the settings record by name, nested records' fields as "record.field": the plain
// settings and the ones only the program itself changes.
std::vector<std::string> recordFieldNames() {
    // Optional fields are written only when set: set them all.
    AppSettings full;
    for (auto* shortcut : {&full.cycleNext, &full.cyclePrevious, &full.hideDesktopShortcut,
                           &full.switchToLastShortcut, &full.openSettingsShortcut, &full.openCalendarShortcut,
                           &full.sortNowShortcut, &full.floatingDockShortcut})
        *shortcut = HotKeySpec{};
    full.archiveRoot = full.screenshotsWorkspace = full.screenshotNamePrefix = "";
    full.appearance.accentHex = "";
    full.floatingDockPosition = FloatingDockPosition{};
    std::vector<std::string> names;
    const Json settings = encodeSettings(full);
    for (const auto& [name, value] : settings.items()) {
        names.push_back(name);
        if (value.is_object())
            for (const auto& [inner, ignored] : value.items())
                names.push_back(name + "." + inner);
    }
    return names;
}

bool isRecordField(const std::string& key) {
    const auto names = recordFieldNames();
    return std::find(names.begin(), names.end(), key) != names.end();
}

// A field of the stored settings as text: strings as they are, other values as JSON, unset as "".
std::string recordField(const Config& config, const std::string& key) {
    const Json settings = encodeSettings(config.settings);
    const auto dot = key.find('.');
    const Json* value = nullptr;
    if (dot == std::string::npos) {
        if (settings.contains(key))
            value = &settings.at(key);
    } else if (settings.contains(key.substr(0, dot)) &&
               settings.at(key.substr(0, dot)).contains(key.substr(dot + 1))) {
        value = &settings.at(key.substr(0, dot)).at(key.substr(dot + 1));
    }
    if (!value || value->is_null())
        return "";
    return value->is_string() ? value->get<std::string>() : value->dump();
}

} // namespace

std::optional<std::string> SetCommand::argumentProblem(const std::vector<std::string>& args) const {
    if (args.size() != 2)
        return usageLine();
    if (!findSettingKey(args[0]))
        return unknownKeyText("set", args[0]);
    return std::nullopt;
}

ExitStatus SetCommand::runWithModel(SettingsModel& model, Session&, CommandContext& context,
                                    const std::vector<std::string>& args) {
    const SettingKey key = *findSettingKey(args[0]);
    switch (key.set(model, args[1])) {
    case SettingKey::SetResult::badValue:
        context.err << "tessarinctl set: " << key.name() << " takes " << key.accepted() << ", not \u201c"
                    << args[1] << "\u201d.\n";
        return ExitStatus::usage;
    case SettingKey::SetResult::refused:
    case SettingKey::SetResult::stored:
        break;
    }
    return outcome(model, context);
}

namespace {

// `get`, `get --list` (the older spelling) and `get KEY`: the key, or none for every setting.
std::optional<std::string> requestedKey(const std::vector<std::string>& args) {
    if (args.empty() || args[0] == "--list")
        return std::nullopt;
    return args[0];
}

} // namespace

std::optional<std::string> GetCommand::argumentProblem(const std::vector<std::string>& args) const {
    if (args.size() > 1)
        return usageLine();
    if (const auto key = requestedKey(args); key && !findSettingKey(*key) && !isRecordField(*key))
        return unknownKeyText("get", *key) + " Any other field of the settings record can be read too.";
    return std::nullopt;
}

ExitStatus GetCommand::runInSession(Session& session, CommandContext& context,
                                    const std::vector<std::string>& args) {
    Config config;
    try {
        config = session.store().loadConfig();
    } catch (const std::exception& e) {
        context.err << e.what() << "\n";
        return ExitStatus::refused;
    }
    const auto key = requestedKey(args);
    const bool all = !key;
    if (key && !findSettingKey(*key)) {
        const std::string value = recordField(config, *key);
        if (context.json)
            context.out << nlohmann::ordered_json{{*key, value}}.dump() << "\n";
        else
            context.out << value << "\n";
        return ExitStatus::done;
    }
    nlohmann::ordered_json json;
    for (const auto& setting : settingKeys()) {
        if (!all && setting.name() != *key)
            continue;
        const std::string value = setting.get(config);
        if (context.json)
            json[setting.name()] = value;
        else if (all)
            context.out << setting.name() << " " << value << "\n";
        else
            context.out << value << "\n";
    }
    if (context.json)
        context.out << json.dump() << "\n";
    return ExitStatus::done;
}

} // namespace tessarin::cmd
