#include "session/AppearanceBaseline.h"

namespace tessarin {

void AppearanceBaseline::apply(const Config& document, const std::string& name) {
    const bool dark = system_.currentIsDark();
    const Workspace* desktop = document.findWorkspace(name);
    if (desktop && desktop->preferredAppearance != AppearanceMode::system) {
        const bool want = desktop->preferredAppearance == AppearanceMode::dark;
        if (want == dark)
            return;
        if (!baseline_)
            baseline_ = dark ? AppearanceMode::dark : AppearanceMode::light;
        system_.setDark(want);
        return;
    }
    if (!baseline_)
        return;
    const bool restoreDark = *baseline_ == AppearanceMode::dark;
    baseline_.reset();
    if (restoreDark != dark)
        system_.setDark(restoreDark);
}

} // namespace tessarin
