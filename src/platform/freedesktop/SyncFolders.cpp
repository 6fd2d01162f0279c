#include "freedesktop/SyncFolders.h"

#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <vector>

namespace tessarin {

namespace fs = std::filesystem;

namespace {

fs::path resolved(const fs::path& p) {
    std::error_code ec;
    const fs::path r = fs::weakly_canonical(p, ec);
    return ec ? p.lexically_normal() : r;
}

bool isWithin(const fs::path& inner, const fs::path& outer) {
    const std::string i = inner.string(), o = outer.string();
    if (o.empty())
        return false;
    return i == o || (i.size() > o.size() && i.compare(0, o.size(), o) == 0 && i[o.size()] == '/');
}

std::string slurp(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// Values of "localPath=" lines in a Nextcloud/ownCloud settings file (one per account folder).
std::vector<fs::path> localPaths(const fs::path& settings) {
    std::vector<fs::path> folders;
    std::istringstream in(slurp(settings));
    std::string line;
    while (std::getline(in, line)) {
        const auto key = line.find("localPath=");
        if (key == std::string::npos)
            continue;
        std::string value = line.substr(key + 10);
        while (!value.empty() && (value.back() == '\r' || value.back() == ' '))
            value.pop_back();
        if (!value.empty())
            folders.emplace_back(value);
    }
    return folders;
}

// Dropbox: {"personal": {"path": ...}, "business": {"path": ...}}.
std::vector<fs::path> dropboxPaths(const fs::path& info) {
    std::vector<fs::path> folders;
    try {
        const auto j = nlohmann::json::parse(slurp(info));
        for (const auto& [account, value] : j.items())
            if (value.is_object() && value.contains("path") && value["path"].is_string())
                folders.emplace_back(value["path"].get<std::string>());
    } catch (const nlohmann::json::exception&) {
    }
    return folders;
}

} // namespace

std::optional<SyncedDesktop> syncClientOfDesktop(const fs::path& desktop, const fs::path& home,
                                                 const fs::path& configHome) {
    const fs::path target = resolved(desktop);
    std::vector<SyncedDesktop> candidates;
    for (const auto& f : localPaths(configHome / "Nextcloud" / "nextcloud.cfg"))
        candidates.push_back({"Nextcloud", f});
    for (const auto& f : localPaths(configHome / "ownCloud" / "owncloud.cfg"))
        candidates.push_back({"ownCloud", f});
    for (const auto& f : dropboxPaths(home / ".dropbox" / "info.json"))
        candidates.push_back({"Dropbox", f});
    candidates.push_back({"pCloud", home / "pCloudDrive"});
    candidates.push_back({"MEGA", home / "MEGA"});
    candidates.push_back({"Insync", home / "Insync"});
    for (const auto& c : candidates) {
        std::error_code ec;
        if (!fs::is_directory(c.folder, ec))
            continue;
        if (isWithin(target, resolved(c.folder)))
            return c;
    }
    return std::nullopt;
}

} // namespace tessarin
