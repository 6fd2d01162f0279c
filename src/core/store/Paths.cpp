#include "store/Paths.h"

#include <cstdlib>
#include <fstream>
#include <pwd.h>
#include <sstream>
#include <unistd.h>

namespace tessarin {

namespace fs = std::filesystem;

Paths Paths::make(const fs::path& home, const fs::path& desktop) {
    Paths p;
    p.home = home;
    p.desktop = desktop;
    p.root = home / rootName;
    p.workspaces = p.root;
    p.store = p.root / ".store";
    p.config = p.store / "config.json";
    p.journal = p.store / "journal.json";
    p.lock = p.store / "lock";
    p.cues = p.store / "cues";
    p.pinnedStash = p.root / ".pinned";
    p.defaultArchiveRoot = p.root / "Archive";
    return p;
}

std::optional<fs::path> parseUserDirsDesktop(const std::string& text, const fs::path& home) {
    std::istringstream lines(text);
    std::string line;
    std::optional<fs::path> found;
    while (std::getline(lines, line)) {
        size_t i = line.find_first_not_of(" \t");
        if (i == std::string::npos || line[i] == '#')
            continue;
        static constexpr std::string_view key = "XDG_DESKTOP_DIR";
        if (line.compare(i, key.size(), key) != 0)
            continue;
        i = line.find_first_not_of(" \t", i + key.size());
        if (i == std::string::npos || line[i] != '=')
            continue;
        i = line.find_first_not_of(" \t", i + 1);
        if (i == std::string::npos || line[i] != '"')
            continue;
        ++i;
        std::string value;
        bool closed = false;
        for (; i < line.size(); ++i) {
            if (line[i] == '\\' && i + 1 < line.size()) {
                value += line[++i];
            } else if (line[i] == '"') {
                closed = true;
                break;
            } else {
                value += line[i];
            }
        }
        if (!closed)
            continue;
        static constexpr std::string_view homeVar = "$HOME";
        if (value.compare(0, homeVar.size(), homeVar) == 0 &&
            (value.size() == homeVar.size() || value[homeVar.size()] == '/')) {
            std::string rest = value.substr(homeVar.size());
            while (!rest.empty() && rest.front() == '/')
                rest.erase(rest.begin());
            found = rest.empty() ? home : home / rest;
        } else if (!value.empty() && value.front() == '/') {
            found = fs::path(value);
        }
        // The last valid assignment wins, as in a shell.
    }
    return found;
}

Paths Paths::forEnvironment(const Environment& env) {
    fs::path home;
    if (auto h = env("HOME"); h && !h->empty()) {
        home = *h;
    } else if (const passwd* pw = getpwuid(getuid()); pw && pw->pw_dir) {
        home = pw->pw_dir;
    } else {
        home = "/";
    }
    fs::path configHome = home / ".config";
    if (auto c = env("XDG_CONFIG_HOME"); c && !c->empty() && c->front() == '/')
        configHome = *c;
    fs::path desktop = home / "Desktop";
    std::ifstream in(configHome / "user-dirs.dirs");
    if (in) {
        std::stringstream text;
        text << in.rdbuf();
        if (auto d = parseUserDirsDesktop(text.str(), home))
            desktop = *d;
    }
    return make(home.lexically_normal(), desktop.lexically_normal());
}

Paths Paths::forCurrentUser() {
    return forEnvironment([](const std::string& name) -> std::optional<std::string> {
        if (const char* v = std::getenv(name.c_str()))
            return std::string(v);
        return std::nullopt;
    });
}

} // namespace tessarin
