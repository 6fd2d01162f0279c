#pragma once

#include "model/Config.h"
#include "model/HotKeyAssignment.h"

#include <optional>
#include <string>
#include <string_view>

namespace tessarin {

// "“name”": a name between typographic quotes, as every message writes names.
std::string quotedName(std::string_view name);

// Why a desktop name can't be used, tested in this order: a leading "_" (reserved), a leading "."
// (hidden folders), the store's own folders "Archive" and ".store" (any letter case), and a name that
// is not one folder name ("/" or NUL inside). None when it is allowed.
std::optional<std::string> desktopNameRefusal(std::string_view name);

// The refusal for the store's own folders ("Archive", ".store", ".pinned", any letter case); none
// for any other name.
std::optional<std::string> storeFolderRefusal(std::string_view name);

// `base` when no desktop has that name, else the first free "<base> 2", "<base> 3", …
std::string uniqueWorkspaceName(const Config& config, const std::string& base);

// How conflict messages name a shortcut's owner: “Work”, "Cycle next", …
std::string ownerLabel(const HotKeyAssignment::Owner& owner);

// Appends the desktop after the named desktops, before the hidden blank desktop(s) at the end.
void insertBeforeBlank(Config& config, Workspace workspace);

} // namespace tessarin
