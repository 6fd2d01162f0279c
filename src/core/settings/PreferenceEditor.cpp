#include "settings/PreferenceEditor.h"

#include "model/SwitchLookSpec.h"

namespace tessarin {

bool PreferenceEditor::stampSwitchAnimation(SwitchLook look, SwitchSpeed speed, SwitchIntensity intensity) {
    return state_.apply([&](Config& c) { SwitchLookSpec::stamp(look, speed, intensity, c.settings); });
}

bool PreferenceEditor::setAppearanceMode(AppearanceMode mode) {
    return state_.apply([&](Config& c) { c.settings.appearance.mode = mode; });
}

bool PreferenceEditor::setAccent(const std::optional<std::string>& hex) {
    return state_.apply([&](Config& c) { c.settings.appearance.accentHex = hex; });
}

} // namespace tessarin
