#include "session/AppearanceBaseline.h"

namespace tessarin {

void AppearanceBaseline::apply(const Config& document, const std::string& name) {
    const Workspace* desktop = document.findWorkspace(name);
    const bool wish = desktop && desktop->preferredAppearance != AppearanceMode::system;
    if (!wish && !baseline_)
        return; // nothing to flip or give back: the session is not even asked
    const bool dark = system_.currentIsDark();
    if (wish) {
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
