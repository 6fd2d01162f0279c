#pragma once

#include "settings/SettingsState.h"

#include <optional>
#include <string>
#include <vector>

namespace tessarin {

// A desktop to make, as the creation sheet or `tessarinctl new` asks for it.
struct NewDesktop {
    std::string name;
    WorkspaceType type = WorkspaceType::permanent;
    std::optional<ArchiveTimer> timer;
    std::optional<std::string> drainTarget; // pour into this desktop when the timer ends
    bool createsCleanupTask = true;
    std::optional<HotKeySpec> hotkey;
    bool addToCarousel = false;
};

// The desktops themselves: making, naming, typing, ordering and adopting them, and their colour,
// appearance and Space. Each operation reports a refusal through the state's errorMessage and returns
// whether it changed the document.
class DesktopEditor {
public:
    DesktopEditor(SettingsState& state, std::function<std::string(const HotKeySpec&)> shortcutText);

    static constexpr const char* carouselCapText = "The option-click carousel is capped at 4 desktops. "
                                                   "Remove one in Settings \u25b8 Shortcuts to free a "
                                                   "slot.";

    // The creation sheet's "Create": checks the name and the hot key, makes the folder, then applies
    // createWorkspace. A name of only white space does nothing.
    bool create(const NewDesktop& request);
    // The creation mutation: the new desktop with a palette colour unlike the others' and its timer
    // and drain (kept only into a live permanent desktop), before the blank desktop; the carousel
    // grows only while it holds fewer than 4 names.
    static void createWorkspace(Config& config, const NewDesktop& request, Date now, std::string colorHex);

    // Renames the desktop and its folder, carrying the new name into every record that points at it.
    bool rename(const std::string& oldName, const std::string& newName);
    // Permanent drops the desktop's own drain; temporary stops every desktop draining into it.
    bool setType(const std::string& name, WorkspaceType type);
    // Reorders the live desktops; archived and blank desktops keep their places. All live desktops
    // must be named, else nothing changes.
    bool setDeskOrder(const std::vector<std::string>& names);

    // Folders of the store that no desktop owns and that could become one, by name.
    std::vector<std::string> unlistedFolders();
    // Makes a permanent desktop of a folder already in the store; its files stay where they are.
    bool adoptFolder(const std::string& name);

    bool setWorkspaceColor(const std::string& name, const std::string& hex);
    bool setPreferredAppearance(const std::string& name, AppearanceMode mode);
    bool setSpaceBinding(const std::string& name, const std::optional<std::string>& spaceUuid);

private:
    std::string distinctColor() const;
    // The conflict message for a shortcut owned by someone other than `excluding`; none when free.
    std::optional<std::string> conflict(const HotKeySpec& spec, const std::string& excluding) const;

    SettingsState& state_;
    std::function<std::string(const HotKeySpec&)> shortcutText_;
};

} // namespace tessarin
