#include "settings/SettingsState.h"

#include "settings/NamingRules.h"

namespace tessarin {

SettingsState::SettingsState(SettingsDependencies dependencies)
    : dependencies_(dependencies), random_(std::random_device{}()) {
    reload();
}

void SettingsState::reload() {
    try {
        config_ = dependencies_.store.loadConfig();
    } catch (const std::exception&) {
        config_ = makeDefaultConfig();
    }
}

bool SettingsState::apply(const std::function<void(Config&)>& mutation) {
    return perform([&] { mutateConfig(dependencies_.store, mutation); });
}

bool SettingsState::perform(const std::function<void()>& operation) {
    try {
        operation();
    } catch (const std::exception& e) {
        errorMessage_ = e.what();
        return false;
    }
    changed();
    return true;
}

void SettingsState::changed() {
    reload();
    if (callbacks.onChange)
        callbacks.onChange();
}

bool SettingsState::refuse(std::string message) {
    errorMessage_ = std::move(message);
    return false;
}

bool SettingsState::nameIsAllowed(const std::string& name) {
    if (auto refusal = typedDesktopNameRefusal(name, longestDesktopName(workspacesRoot())))
        return refuse(std::move(*refusal));
    return true;
}

std::string SettingsState::uniqueWorkspaceName(const std::string& base) const {
    return tessarin::uniqueWorkspaceName(config_, base);
}

} // namespace tessarin
