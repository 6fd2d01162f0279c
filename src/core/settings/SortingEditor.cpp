#include "settings/SortingEditor.h"

#include "settings/NamingRules.h"
#include "swap/FolderName.h"

#include <algorithm>

namespace tessarin {

Workspace SortingEditor::newPermanentDesktop(const std::string& name) const {
    Workspace w = Workspace::make(name);
    w.createdAt = state_.clock().now();
    return w;
}

bool SortingEditor::makeFolder(const std::string& name, const char* failurePrefix) {
    try {
        state_.files().createFolder(state_.workspacesRoot() / name);
        return true;
    } catch (const std::exception& e) {
        return state_.refuse(failurePrefix + std::string(e.what()));
    }
}

bool SortingEditor::setFilterScreenshots(bool on) {
    if (!on) {
        return state_.apply([](Config& c) {
            c.settings.filterScreenshots = false;
            c.settings.screenshotFilteringPaused = false;
        });
    }
    const Config& copy = state_.config();
    const auto& current = copy.settings.screenshotsWorkspace;
    const std::string name =
        current && copy.findWorkspace(*current)
            ? *current
            : state_.uniqueWorkspaceName(std::string(Config::defaultScreenshotsWorkspaceName));
    if (!copy.findWorkspace(name) && !makeFolder(name, "Couldn't create the Screenshots desktop: "))
        return false;
    const Workspace fresh = newPermanentDesktop(name);
    return state_.apply([&](Config& c) {
        if (!c.findWorkspace(name))
            insertBeforeBlank(c, fresh);
        c.settings.screenshotsWorkspace = name;
        c.settings.filterScreenshots = true;
        c.settings.screenshotFilteringPaused = false;
    });
}

bool SortingEditor::setScreenshotNamePrefix(const std::string& text) {
    return state_.apply([&](Config& c) {
        c.settings.screenshotNamePrefix = text.empty() ? std::nullopt : std::optional<std::string>(text);
    });
}

bool SortingEditor::screenshotsSaveToDesktop() const {
    return !screenshots_ || screenshots_->screenshotsSaveToDesktop();
}

std::optional<Uuid> SortingEditor::addCustomFilter() {
    CustomFilter rule;
    rule.id = Uuid::random();
    rule.enabled = true;
    if (!state_.apply([&](Config& c) { c.settings.customFilters.push_back(rule); }))
        return std::nullopt;
    return rule.id;
}

bool SortingEditor::hasRule(const Uuid& id) const {
    const auto& rules = state_.config().settings.customFilters;
    return std::any_of(rules.begin(), rules.end(), [&](const CustomFilter& f) { return f.id == id; });
}

bool SortingEditor::updateRule(const Uuid& id, const std::function<void(CustomFilter&)>& change) {
    if (!hasRule(id))
        return false;
    return state_.apply([&](Config& c) {
        for (auto& rule : c.settings.customFilters)
            if (rule.id == id)
                change(rule);
    });
}

bool SortingEditor::removeCustomFilter(const Uuid& id) {
    if (!hasRule(id))
        return false;
    return state_.apply([&](Config& c) {
        std::erase_if(c.settings.customFilters, [&](const CustomFilter& f) { return f.id == id; });
    });
}

bool SortingEditor::setCustomFilterEnabled(const Uuid& id, bool on) {
    return updateRule(id, [&](CustomFilter& f) { f.enabled = on; });
}

bool SortingEditor::setCustomFilterPattern(const Uuid& id, const std::string& text) {
    return updateRule(id, [&](CustomFilter& f) { f.pattern = text; });
}

bool SortingEditor::setCustomFilterCollection(const Uuid& id, const std::string& name) {
    const std::string target = trimmedWhiteSpace(name);
    if (target.empty())
        return updateRule(id, [](CustomFilter& f) { f.collection.clear(); });
    if (target.starts_with("_"))
        return state_.refuse("Names can't start with \u201c_\u201d (reserved).");
    // Hidden names are fine here, but never the store's own folders, nor a path.
    if (auto refusal = storeFolderRefusal(target))
        return state_.refuse(std::move(*refusal));
    if (!isPlainFolderName(target))
        return state_.refuse("Names can't contain \u201c/\u201d.");
    if (!hasRule(id))
        return false;
    if (!state_.config().findWorkspace(target) && !makeFolder(target, "Couldn't create the desktop folder: "))
        return false;
    const Workspace fresh = newPermanentDesktop(target);
    return state_.apply([&](Config& c) {
        if (!c.findWorkspace(target))
            insertBeforeBlank(c, fresh);
        for (auto& rule : c.settings.customFilters)
            if (rule.id == id)
                rule.collection = target;
    });
}

} // namespace tessarin
