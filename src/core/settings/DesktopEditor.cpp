#include "settings/DesktopEditor.h"

#include "model/DesktopPalette.h"
#include "organise/CleanupTasks.h"
#include "organise/ScreenshotFilter.h"
#include "settings/NamingRules.h"
#include "settings/ShortcutConflicts.h"

#include <algorithm>
#include <set>

namespace tessarin {

namespace fs = std::filesystem;

namespace {

bool isLive(const Workspace* w) {
    return w && w->state == WorkspaceState::active && w->name != Config::blankWorkspaceName;
}

} // namespace

DesktopEditor::DesktopEditor(SettingsState& state, std::function<std::string(const HotKeySpec&)> shortcutText)
    : state_(state), shortcutText_(std::move(shortcutText)) {}

std::string DesktopEditor::distinctColor() const {
    std::vector<std::string> inUse;
    for (const auto& w : state_.config().workspaces)
        inUse.push_back(w.colorHex);
    return DesktopPalette::distinct(inUse, state_.random());
}

std::optional<std::string> DesktopEditor::conflict(const HotKeySpec& spec,
                                                   const std::string& excluding) const {
    const auto owner = shortcutOwner(state_.config(), spec, HotKeyAssignment::Owner::forWorkspace(excluding));
    if (!owner)
        return std::nullopt;
    return shortcutConflictMessage(shortcutText_(spec), *owner);
}

bool DesktopEditor::create(const NewDesktop& request) {
    const std::string name = trimmedName(request.name);
    if (!state_.nameIsAllowed(name))
        return false;
    if (state_.config().findWorkspace(name))
        return state_.refuse(quotedName(name) + " already exists.");
    if (request.hotkey) {
        if (auto message = conflict(*request.hotkey, name))
            return state_.refuse(std::move(*message));
    }
    try {
        state_.files().createFolder(state_.workspacesRoot() / name);
    } catch (const std::exception& e) {
        return state_.refuse(std::string("Couldn't create the desktop folder: ") + e.what());
    }
    NewDesktop trimmed = request;
    trimmed.name = name;
    const std::string color = distinctColor();
    const Date now = state_.clock().now();
    return state_.apply([&](Config& c) { createWorkspace(c, trimmed, now, color); });
}

void DesktopEditor::createWorkspace(Config& config, const NewDesktop& request, Date now,
                                    std::string colorHex) {
    Workspace w;
    w.name = request.name;
    w.type = request.type;
    w.hotkey = request.hotkey;
    w.createdAt = now;
    w.createsCleanupTask = request.createsCleanupTask;
    w.colorHex = std::move(colorHex);
    w.timer = request.timer;
    const bool counts = request.timer && request.timer->mode != ArchiveTimerMode::none;
    const Workspace* target = request.drainTarget ? config.findWorkspace(*request.drainTarget) : nullptr;
    if (counts && target && target->type == WorkspaceType::permanent && isLive(target)) {
        w.drainTarget = request.drainTarget;
        w.timerDrains = true;
    }
    w.clearMode = Workspace::derivedClearMode(w.drainTarget, w.timer);
    insertBeforeBlank(config, std::move(w));

    auto& carousel = config.settings.optionClickCarousel;
    if (request.addToCarousel &&
        carousel.size() < static_cast<std::size_t>(AppSettings::optionClickCarouselLimit) &&
        std::find(carousel.begin(), carousel.end(), request.name) == carousel.end())
        carousel.push_back(request.name);
}

bool DesktopEditor::rename(const std::string& oldName, const std::string& newName) {
    const std::string name = trimmedName(newName);
    const Workspace* existing = state_.config().findWorkspace(oldName);
    if (name == oldName || !existing || oldName == Config::blankWorkspaceName)
        return false;
    if (!state_.nameIsAllowed(name))
        return false;
    if (state_.config().findWorkspace(name))
        return state_.refuse(quotedName(name) + " already exists.");

    // An archived desktop's folder is in the archive; restoring it brings it back under the new name.
    if (existing->state == WorkspaceState::active) {
        FileService& files = state_.files();
        const fs::path from = state_.workspacesRoot() / oldName;
        const fs::path to = state_.workspacesRoot() / name;
        try {
            if (files.exists(from))
                files.moveItem(from, to);
            else
                files.createFolder(to);
        } catch (const std::exception& e) {
            return state_.refuse(std::string("Couldn't rename the folder: ") + e.what());
        }
    }
    return state_.apply([&](Config& c) {
        c.updateWorkspace(oldName, [&](Workspace& w) { w.name = name; });
        if (c.activeWorkspace == oldName)
            c.activeWorkspace = name;
        auto& s = c.settings;
        if (s.screenshotsWorkspace == oldName)
            s.screenshotsWorkspace = name;
        renameCleanupMember(c, oldName, name);
        c.renameCustomFilterCollection(oldName, name);
        c.renameDrainTarget(oldName, name);
        // The option-click carousel and lastExpandedWorkspace keep the old name: both are read
        // leniently (unknown names are skipped), and the user edits the carousel in the settings.
    });
}

bool DesktopEditor::setType(const std::string& name, WorkspaceType type) {
    if (!state_.config().findWorkspace(name) || name == Config::blankWorkspaceName)
        return false;
    return state_.apply([&](Config& c) {
        c.updateWorkspace(name, [&](Workspace& w) {
            w.type = type;
            if (type == WorkspaceType::permanent) {
                w.drainTarget.reset();
                w.timerDrains = false;
            }
        });
        // No desktop may pour into a temporary one.
        if (type == WorkspaceType::temporary)
            c.clearDrainRoutes(name);
    });
}

namespace {

// The live desktops in the order `names` gives them; none unless that names every live desktop.
std::optional<std::vector<Workspace>> reordered(const Config& config, const std::vector<std::string>& names) {
    std::vector<Workspace> result;
    std::set<std::string> taken;
    for (const auto& name : names) {
        const Workspace* w = config.findWorkspace(name);
        if (isLive(w) && taken.insert(name).second)
            result.push_back(*w);
    }
    if (result.size() != config.liveWorkspaces().size())
        return std::nullopt;
    return result;
}

} // namespace

bool DesktopEditor::setDeskOrder(const std::vector<std::string>& names) {
    if (!reordered(state_.config(), names))
        return false;
    return state_.apply([&](Config& c) {
        auto order = reordered(c, names);
        if (!order)
            return;
        auto next = order->begin();
        for (auto& w : c.workspaces)
            if (isLive(&w))
                w = std::move(*next++);
    });
}

std::vector<std::string> DesktopEditor::unlistedFolders() {
    const Config& config = state_.config();
    const auto& root = state_.workspacesRoot();
    const auto& archiveRoot = config.settings.archiveRoot;
    const fs::path archive = standardisedPath(
        archiveRoot && !archiveRoot->empty() ? fs::path(*archiveRoot) : state_.paths().defaultArchiveRoot);
    std::vector<std::string> names;
    std::error_code ec;
    for (fs::directory_iterator it(root, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        std::error_code typeError;
        if (it->symlink_status(typeError).type() != fs::file_type::directory)
            continue;
        if (desktopNameRefusal(name) || config.findWorkspace(name) || standardisedPath(it->path()) == archive)
            continue;
        names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

bool DesktopEditor::adoptFolder(const std::string& name) {
    if (state_.config().findWorkspace(name))
        return false;
    const auto folders = unlistedFolders();
    if (std::find(folders.begin(), folders.end(), name) == folders.end()) {
        // The store's own folders are never offered; anything else has gone.
        if (auto refusal = desktopNameRefusal(name))
            return state_.refuse(std::move(*refusal));
        return state_.refuse(quotedName(name) + " isn't in your desktops folder any more.");
    }
    const std::string color = distinctColor();
    return state_.apply([&](Config& c) {
        if (c.findWorkspace(name))
            return;
        Workspace w;
        w.name = name;
        w.createsCleanupTask = false;
        w.colorHex = color;
        insertBeforeBlank(c, std::move(w));
    });
}

bool DesktopEditor::setWorkspaceColor(const std::string& name, const std::string& hex) {
    const auto color = parseHex(hex);
    if (!color || !state_.config().findWorkspace(name))
        return false;
    return state_.apply(
        [&](Config& c) { c.updateWorkspace(name, [&](Workspace& w) { w.colorHex = hexString(*color); }); });
}

bool DesktopEditor::setPreferredAppearance(const std::string& name, AppearanceMode mode) {
    return state_.apply(
        [&](Config& c) { c.updateWorkspace(name, [&](Workspace& w) { w.preferredAppearance = mode; }); });
}

bool DesktopEditor::setSpaceBinding(const std::string& name, const std::optional<std::string>& spaceUuid) {
    return state_.apply([&](Config& c) { c.bindWorkspace(name, spaceUuid); });
}

} // namespace tessarin
