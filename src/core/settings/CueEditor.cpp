#include "settings/CueEditor.h"

#include "model/DesktopPalette.h"
#include "organise/ScreenshotFilter.h"

#include <system_error>

namespace tessarin {

namespace fs = std::filesystem;

bool CueEditor::editCue(const std::string& name, const std::function<void(DesktopCue&)>& change) {
    if (!state_.config().findWorkspace(name))
        return false;
    return state_.apply([&](Config& c) {
        c.updateWorkspace(name, [&](Workspace& w) {
            DesktopCue cue = w.cue.value_or(DesktopCue{});
            change(cue);
            w.cue = cue;
        });
    });
}

bool CueEditor::setCueEnabled(const std::string& name, bool on) {
    return editCue(name, [&](DesktopCue& cue) { cue.enabled = on; });
}

bool CueEditor::setCueColor(const std::string& name, const std::string& hex) {
    const auto color = parseHex(hex);
    if (!color)
        return false;
    return editCue(name, [&](DesktopCue& cue) { cue.fill = DesktopCue::Fill::color(hexString(*color)); });
}

bool CueEditor::setCueOpacity(const std::string& name, double opacity) {
    return editCue(name,
                   [&](DesktopCue& cue) { cue.opacity = DesktopCue::clampOpacity(opacity, cue.aboveIcons); });
}

bool CueEditor::setCueAboveIcons(const std::string& name, bool on) {
    return editCue(name, [&](DesktopCue& cue) {
        cue.aboveIcons = on;
        cue.opacity = DesktopCue::clampOpacity(cue.opacity, on);
    });
}

bool CueEditor::setCueImage(const std::string& name, const fs::path& picture) {
    const Workspace* w = state_.config().findWorkspace(name);
    if (!w)
        return false;
    const fs::path folder = state_.paths().cues;
    const fs::path copy = folder / (Uuid::random().text() + picture.extension().string());
    try {
        state_.files().createFolder(folder);
        std::error_code ec;
        if (fs::is_directory(picture, ec))
            throw std::system_error(std::make_error_code(std::errc::is_a_directory));
        if (!fs::is_regular_file(picture, ec))
            throw std::system_error(std::make_error_code(std::errc::no_such_file_or_directory));
        fs::copy_file(picture, copy, fs::copy_options::none, ec);
        if (ec)
            throw std::system_error(ec);
    } catch (const std::exception& e) {
        return state_.refuse(std::string("Couldn't load that image: ") + e.what());
    }

    // Only a copy this folder holds is ever deleted.
    std::optional<fs::path> previous;
    if (w->cue && w->cue->fill.kind == DesktopCue::Fill::Kind::image &&
        standardisedPath(fs::path(w->cue->fill.value).parent_path()) == standardisedPath(folder))
        previous = w->cue->fill.value;

    if (!editCue(name, [&](DesktopCue& cue) { cue.fill = DesktopCue::Fill::image(copy.string()); })) {
        std::error_code ignored;
        fs::remove(copy, ignored);
        return false;
    }
    if (previous && *previous != copy) {
        std::error_code ignored;
        fs::remove(*previous, ignored);
    }
    return true;
}

} // namespace tessarin
