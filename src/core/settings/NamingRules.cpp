#include "settings/NamingRules.h"

#include "support/Utf8.h"
#include "swap/FolderName.h"

#include <algorithm>
#include <unistd.h>

namespace tessarin {

namespace {

bool equalIgnoringCase(std::string_view a, std::string_view b) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) { return lower(x) == lower(y); });
}

std::string partOfTheFolderText(std::string_view name) {
    return quotedName(name) + " is part of the desktops folder itself \u2014 pick another name.";
}

// The code points of well-formed UTF-8.
std::u32string codePoints(std::string_view text) {
    std::u32string points;
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t n = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        char32_t c = n == 1 ? lead : lead & (0x7F >> n);
        for (std::size_t k = 1; k < n && i + k < text.size(); ++k)
            c = (c << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
        points.push_back(c);
        i += n;
    }
    return points;
}

// Unicode white space, and the characters that draw nothing (zero-width spaces and joiners, the BOM).
bool isBlank(char32_t c) {
    return (c >= 0x09 && c <= 0x0D) || c == 0x20 || c == 0x85 || c == 0xA0 || c == 0x1680 ||
           (c >= 0x2000 && c <= 0x200D) || c == 0x2028 || c == 0x2029 || c == 0x202F || c == 0x205F ||
           c == 0x2060 || c == 0x3000 || c == 0xFEFF;
}

// C0 and C1 controls and the line and paragraph separators: each breaks a name over lines or
// draws nothing in a menu.
bool isControl(char32_t c) {
    return c < 0x20 || (c >= 0x7F && c <= 0x9F) || c == 0x2028 || c == 0x2029;
}

// The UTF-8 length of the code point.
std::size_t utf8Length(char32_t c) {
    return c < 0x80 ? 1 : c < 0x800 ? 2 : c < 0x10000 ? 3 : 4;
}

} // namespace

std::size_t longestDesktopName(const std::filesystem::path& root) {
    // Ask the nearest folder that exists: the store itself may not be made yet.
    std::filesystem::path folder = root;
    std::error_code ec;
    while (!folder.empty() && !std::filesystem::is_directory(folder, ec) && folder != folder.parent_path())
        folder = folder.parent_path();
    long limit = folder.empty() ? -1 : ::pathconf(folder.c_str(), _PC_NAME_MAX);
    if (limit <= 0)
        limit = 255;
    const auto bytes = static_cast<std::size_t>(limit);
    return bytes > archiveSuffixRoom ? bytes - archiveSuffixRoom : bytes;
}

std::string trimmedName(std::string_view typed) {
    if (!isValidUtf8(typed))
        return std::string(typed);
    const std::u32string points = codePoints(typed);
    std::size_t start = 0;
    std::size_t end = typed.size();
    for (std::size_t i = 0; i < points.size() && isBlank(points[i]); ++i)
        start += utf8Length(points[i]);
    for (std::size_t i = points.size(); i > 0 && end > start && isBlank(points[i - 1]); --i)
        end -= utf8Length(points[i - 1]);
    return std::string(typed.substr(start, end - start));
}

std::optional<std::string> typedDesktopNameRefusal(std::string_view name, std::size_t longestName) {
    if (!isValidUtf8(name))
        return "Desktop names must be UTF-8 text.";
    const std::u32string points = codePoints(name);
    if (std::all_of(points.begin(), points.end(), isBlank))
        return "A desktop needs a name.";
    if (std::any_of(points.begin(), points.end(), isControl))
        return "Desktop names can't contain tabs, line breaks or other control characters.";
    if (name.size() > longestName)
        return "That name is too long for a desktop: its folder name can have at most " +
               std::to_string(longestName) + " bytes here (this one has " + std::to_string(name.size()) +
               ").";
    return desktopNameRefusal(name);
}

std::string quotedName(std::string_view name) {
    return "\u201c" + std::string(name) + "\u201d";
}

std::optional<std::string> desktopNameRefusal(std::string_view name) {
    if (name.starts_with("_"))
        return "Names can't start with \u201c_\u201d (reserved).";
    if (name.starts_with("."))
        return "Names can't start with \u201c.\u201d (hidden folders).";
    if (equalIgnoringCase(name, "Archive") || equalIgnoringCase(name, ".store"))
        return partOfTheFolderText(name);
    // A desktop is one folder of the store: a name with a path separator would be a folder elsewhere.
    if (!isPlainFolderName(name))
        return "Names can't contain \u201c/\u201d.";
    return std::nullopt;
}

std::optional<std::string> storeFolderRefusal(std::string_view name) {
    for (const std::string_view own : {"Archive", ".store", ".pinned"})
        if (equalIgnoringCase(name, own))
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
