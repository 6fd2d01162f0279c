#pragma once

#include "model/Config.h"
#include "model/HotKeyAssignment.h"

#include <cstddef>
#include <filesystem>
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

// Room an archive adds to a desktop's folder name: "-" and the day ("-2026-05-01"), and "-N" when that
// name is taken.
inline constexpr std::size_t archiveSuffixRoom = 16;

// The longest name, in bytes, that a new desktop may have in the store at `root`: the file system's
// limit for a folder name (255 where it cannot be asked) less archiveSuffixRoom, so that the desktop
// can still be archived.
std::size_t longestDesktopName(const std::filesystem::path& root);

// A typed name without the white space around it (Unicode white space, no-break spaces included).
std::string trimmedName(std::string_view typed);

// Why a name a user typed can't name a desktop, tested in this order: not UTF-8 text, blank (nothing
// but white space or invisible characters), a control character (tab, line break, ...), longer than
// `longestName` bytes; then the rules of desktopNameRefusal. None when it is allowed.
std::optional<std::string> typedDesktopNameRefusal(std::string_view name, std::size_t longestName);

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
