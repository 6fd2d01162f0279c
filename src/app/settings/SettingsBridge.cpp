#include "settings/SettingsBridge.h"

namespace tessarin {

SettingsOutcome SettingsBridge::run(const std::function<bool(SettingsModel&)>& operation) {
    model_.state.clearErrorMessage();
    model_.state.clearDeleteFailure();
    ++running_;
    SettingsOutcome outcome;
    outcome.done = operation(model_);
    --running_;
    outcome.refusal = model_.errorMessage();
    outcome.trashFailure = model_.state.deleteFailure();
    model_.state.clearErrorMessage();
    model_.state.clearDeleteFailure();
    if (running_ == 0)
        emit changed();
    return outcome;
}

void SettingsBridge::reload() {
    model_.reload();
    // Inside an operation (its change callback re-arms the agent, which reloads): the operation's end
    // redraws once.
    if (running_ == 0)
        emit changed();
}

} // namespace tessarin
