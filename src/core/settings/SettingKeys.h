#pragma once

#include "settings/SettingsModel.h"

#include <optional>
#include <string>
#include <vector>

namespace tessarin {

// The plain settings by name, as text: what the command line's `set KEY VALUE` and `get KEY` work
// with: every field of the settings record that holds one flag, number, enumeration case or text.
// Each name is the setting's field name ("appearance.mode" for a field of a record). Values are
// written the way they are stored: true/false, numbers, the enumeration's stored names, text (empty
// text for none). Numbers outside the key's range are refused.
class SettingKey {
public:
    enum class SetResult { stored, refused, badValue };

    using Getter = std::function<std::string(const Config&)>;
    // Parses `value` and stores it through the model; none when the text is not accepted.
    using Setter = std::function<std::optional<bool>(SettingsModel&, const std::string& value)>;

    SettingKey(std::string name, std::string accepted, Getter get, Setter set)
        : name_(std::move(name)), accepted_(std::move(accepted)), get_(std::move(get)), set_(std::move(set)) {
    }

    const std::string& name() const { return name_; }
    // The values it takes, for messages: "true or false", "one of none, nudge, mirror", ...
    const std::string& accepted() const { return accepted_; }
    std::string get(const Config& config) const { return get_(config); }
    // badValue changes nothing; refused leaves the model's errorMessage.
    SetResult set(SettingsModel& model, const std::string& value) const;

private:
    std::string name_;
    std::string accepted_;
    Getter get_;
    Setter set_;
};

// Every plain setting, in the order of the settings record.
std::vector<SettingKey> settingKeys();
// The key of that name, if there is one.
std::optional<SettingKey> findSettingKey(const std::string& name);

} // namespace tessarin
