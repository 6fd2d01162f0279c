#include "settings/NamingRules.h"

#include "swap/FolderName.h"

namespace tessarin {

namespace {

std::string partOfTheFolderText(std::string_view name) {
    return quotedName(name) + " is part of the desktops folder itself \u2014 pick another name.";
}

} // namespace

std::string quotedName(std::string_view name) {
    return "\u201c" + std::string(name) + "\u201d";
}

std::optional<std::string> desktopNameRefusal(std::string_view name) {
    if (name.starts_with("_"))
        return "Names can't start with \u201c_\u201d (reserved).";
    if (name.starts_with("."))
        return "Names can't start with \u201c.\u201d (hidden folders).";
    if (equalIgnoringAsciiCase(name, "Archive") || equalIgnoringAsciiCase(name, ".store"))
        return partOfTheFolderText(name);
    // A desktop is one folder of the store: a name with a path separator would be a folder elsewhere.
    if (!isPlainFolderName(name))
        return "Names can't contain \u201c/\u201d.";
    return std::nullopt;
}

std::optional<std::string> storeFolderRefusal(std::string_view name) {
    for (const std::string_view own : {"Archive", ".store", ".pinned"})
        if (equalIgnoringAsciiCase(name, own))
            return partOfTheFolderText(name);
    return std::nullopt;
}

std::string uniqueWorkspaceName(const Config& config, const std::string& base) {
    if (!config.findWorkspace(base))
        return base;
    for (long n = 2;; ++n) {
        std::string candidate = base + " " + std::to_string(n);
        if (!config.findWorkspace(candidate))
            return candidate;
    }
}

std::string ownerLabel(const HotKeyAssignment::Owner& owner) {
    using Kind = HotKeyAssignment::Owner::Kind;
    switch (owner.kind) {
    case Kind::workspace:
        return quotedName(owner.workspaceName);
    case Kind::cycleNext:
        return "Cycle next";
    case Kind::cyclePrevious:
        return "Cycle previous";
    case Kind::hideDesktop:
        return "Hide / show desktop";
    case Kind::switchToLast:
        return "Switch to last desktop";
    case Kind::openSettings:
        return "Open Settings";
    case Kind::openCalendar:
        return "Open calendar";
    case Kind::sortNow:
        return "Sort now";
    case Kind::floatingDock:
        return "Floating dock";
    }
    return {};
}

void insertBeforeBlank(Config& config, Workspace workspace) {
    auto at = config.workspaces.end();
    while (at != config.workspaces.begin() && std::prev(at)->name == Config::blankWorkspaceName)
        --at;
    config.workspaces.insert(at, std::move(workspace));
}

} // namespace tessarin
