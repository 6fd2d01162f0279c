#include "organise/ArchiveLocations.h"

#include "store/PathRelations.h"

#include <cctype>
#include <vector>

namespace tessarin {

namespace fs = std::filesystem;

namespace {

bool digits(std::string_view text, std::size_t count) {
    if (text.size() < count)
        return false;
    for (std::size_t i = 0; i < count; ++i)
        if (!std::isdigit(static_cast<unsigned char>(text[i])))
            return false;
    return true;
}

// "yyyy-MM-dd", then nothing or "-" and a number.
bool isStamp(std::string_view rest) {
    if (!digits(rest, 4) || rest.size() < 10 || rest[4] != '-' || !digits(rest.substr(5), 2) ||
        rest[7] != '-' || !digits(rest.substr(8), 2))
        return false;
    rest.remove_prefix(10);
    if (rest.empty())
        return true;
    return rest.size() >= 2 && rest[0] == '-' && digits(rest.substr(1), rest.size() - 1);
}

// The names the archived folder may carry: the desktop's, and for the screenshots desktop renamed at
// archiving ("Screenshots.archived", "Screenshots.archived 2") the name it had then.
std::vector<std::string> archivedBases(const std::string& name) {
    std::vector<std::string> bases{name};
    static constexpr std::string_view suffix = ".archived";
    std::string_view rest = name;
    if (const auto space = rest.rfind(' '); space != std::string_view::npos &&
                                            digits(rest.substr(space + 1), rest.size() - space - 1) &&
                                            space + 1 < rest.size())
        rest = rest.substr(0, space);
    if (rest.size() > suffix.size() && rest.ends_with(suffix))
        bases.emplace_back(rest.substr(0, rest.size() - suffix.size()));
    return bases;
}

} // namespace

ArchiveLocations::ArchiveLocations(const Paths& paths)
    : desktop_(paths.desktop), root_(paths.root), defaultArchive_(paths.defaultArchiveRoot) {}

std::optional<std::string> ArchiveLocations::folderRefusal(const fs::path& folder) const {
    const fs::path resolved = resolvedPath(fs::absolute(folder));
    if (isWithin(resolved, resolvedPath(defaultArchive_)))
        return std::nullopt;
    if (isWithin(resolved, resolvedPath(desktop_)))
        return "That folder is your Desktop or lies inside it. Archives can't sit there: switching desktops "
               "moves everything on the Desktop.";
    if (isWithin(resolved, resolvedPath(root_)))
        return "That folder is part of Tessarin's desktops folder. Choose a folder outside it, or the "
               "default "
               "archive folder.";
    return std::nullopt;
}

bool ArchiveLocations::isArchivedFolderOf(const fs::path& location, const Workspace& workspace,
                                          const fs::path& archiveFolder) const {
    if (!location.is_absolute())
        return false;
    const fs::path normal = location.lexically_normal();
    const std::string folderName = normal.filename().string();
    const fs::path parent = resolvedPath(normal.parent_path());
    if (folderName.empty() || folderName == "." || folderName == "..")
        return false;
    if (parent != resolvedPath(archiveFolder) && parent != resolvedPath(defaultArchive_))
        return false;
    if (folderRefusal(parent))
        return false;
    for (const auto& base : archivedBases(workspace.name))
        if (folderName.size() > base.size() + 1 && folderName.starts_with(base) &&
            folderName[base.size()] == '-' && isStamp(std::string_view(folderName).substr(base.size() + 1)))
            return true;
    return false;
}

std::string ArchiveLocations::untrustedText(const std::string& name, const std::string& location,
                                            const std::string& consequence) {
    return "\u201c" + name + "\u201d is recorded as archived at \u201c" + location +
           "\u201d, which isn't one of Tessarin's archived folders, so " + consequence +
           ". Nothing was changed.";
}

} // namespace tessarin
