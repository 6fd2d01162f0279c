#include "organise/UniqueNames.h"

namespace tessarin {

namespace fs = std::filesystem;

fs::path uniquePath(const fs::path& path, FileService& files) {
    fs::path candidate = path;
    for (long n = 2; files.exists(candidate); ++n)
        candidate = path.parent_path() / (path.filename().string() + "-" + std::to_string(n));
    return candidate;
}

fs::path uniqueDestination(const std::string& entry, const fs::path& folder, FileService& files) {
    // The extension follows the last full stop, unless that stop begins the name or ends it.
    const auto dot = entry.rfind('.');
    const bool hasExtension = dot != std::string::npos && dot != 0 && dot + 1 < entry.size();
    const std::string stem = hasExtension ? entry.substr(0, dot) : entry;
    const std::string extension = hasExtension ? entry.substr(dot) : "";

    fs::path candidate = folder / entry;
    for (long n = 2; files.exists(candidate); ++n)
        candidate = folder / (stem + " " + std::to_string(n) + extension);
    return candidate;
}

std::string uniqueArchivedName(const std::string& base, const Config& config) {
    std::string candidate = base;
    for (long n = 1; config.findWorkspace(candidate) != nullptr; ++n)
        candidate = base + " " + std::to_string(n);
    return candidate;
}

} // namespace tessarin
