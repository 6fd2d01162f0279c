#include "swap/FolderName.h"

#include <set>

namespace tessarin {

namespace {

std::string_view reason(FolderNameProblem problem) {
    switch (problem) {
    case FolderNameProblem::notOneName:
        return "a desktop's folder is one name, not empty and without \u201c/\u201d";
    case FolderNameProblem::tooLong:
        return "it is longer than the 255 bytes a folder name can have";
    case FolderNameProblem::storeOwn:
        return "that is the name of one of the store's own folders";
    }
    return {};
}

// At most 60 bytes of the name, cut at a character boundary, with "…" when shortened.
std::string shortened(std::string_view name) {
    constexpr std::size_t limit = 60;
    if (name.size() <= limit)
        return std::string(name);
    std::size_t end = limit;
    while (end > 0 && (static_cast<unsigned char>(name[end]) & 0xC0) == 0x80)
        --end;
    return std::string(name.substr(0, end)) + "\u2026";
}

} // namespace

std::optional<FolderNameProblem> desktopFolderProblem(std::string_view name) {
    if (!isPlainFolderName(name))
        return FolderNameProblem::notOneName;
    if (name.size() > maxFolderNameBytes)
        return FolderNameProblem::tooLong;
    for (const std::string_view own : {".store", ".pinned", "Archive", ".hidden"})
        if (equalIgnoringAsciiCase(name, own))
            return FolderNameProblem::storeOwn;
    return std::nullopt;
}

std::string unusableFolderText(std::string_view record, std::string_view name, FolderNameProblem problem,
                               std::string_view consequence) {
    return std::string(record) + " \u201c" + shortened(name) +
           "\u201d can't be used as a desktop folder: " + std::string(reason(problem)) + ". " +
           std::string(consequence);
}

UnusableFolderName::UnusableFolderName(std::string record, std::string name, FolderNameProblem problem)
    : std::invalid_argument(unusableFolderText(record, name, problem)), name_(std::move(name)),
      problem_(problem) {}

void requireDesktopFolder(std::string_view name, std::string_view record) {
    if (const auto problem = desktopFolderProblem(name))
        throw UnusableFolderName(std::string(record), std::string(name), *problem);
}

std::vector<std::string> unusableFolderRecords(const Config& config) {
    std::vector<std::pair<std::string, std::string>> records; // record, name
    for (std::size_t i = 0; i < config.workspaces.size(); ++i)
        records.emplace_back("workspaces[" + std::to_string(i) + "].name", config.workspaces[i].name);
    records.emplace_back("activeWorkspace", config.activeWorkspace);
    if (config.lastExpandedWorkspace)
        records.emplace_back("lastExpandedWorkspace", *config.lastExpandedWorkspace);
    for (std::size_t i = 0; i < config.workspaces.size(); ++i)
        if (const auto& target = config.workspaces[i].drainTarget)
            records.emplace_back("workspaces[" + std::to_string(i) + "].drainTarget", *target);
    if (config.settings.screenshotsWorkspace)
        records.emplace_back("settings.screenshotsWorkspace", *config.settings.screenshotsWorkspace);
    const auto& rules = config.settings.customFilters;
    for (std::size_t i = 0; i < rules.size(); ++i)
        if (!rules[i].collection.empty()) // an empty target is a rule without a desktop yet
            records.emplace_back("settings.customFilters[" + std::to_string(i) + "].collection",
                                 rules[i].collection);

    std::vector<std::string> lines;
    std::set<std::string> reported;
    for (const auto& [record, name] : records) {
        const auto problem = desktopFolderProblem(name);
        if (problem && reported.insert(name).second)
            lines.push_back(
                unusableFolderText("config.json: " + record, name, *problem,
                                   "Tessarin leaves it alone; rename that desktop or correct the file."));
    }
    return lines;
}

} // namespace tessarin
