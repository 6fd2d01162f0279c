#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

namespace tessarin {

// The fixed locations of the program: the user's Desktop and the workspace store.
struct Paths {
    std::filesystem::path home;
    std::filesystem::path desktop;
    std::filesystem::path root;               // "Tessarin Desktops" in the home folder
    std::filesystem::path workspaces;         // one sub-folder per desktop (the same folder as root)
    std::filesystem::path store;              // root/.store
    std::filesystem::path config;             // store/config.json
    std::filesystem::path journal;            // store/journal.json
    std::filesystem::path lock;               // store/lock
    std::filesystem::path cues;               // store/cues
    std::filesystem::path pinnedStash;        // root/.pinned
    std::filesystem::path defaultArchiveRoot; // root/Archive

    static constexpr const char* rootName = "Tessarin Desktops";

    // The locations for a home folder and a Desktop folder.
    static Paths make(const std::filesystem::path& home, const std::filesystem::path& desktop);

    using Environment = std::function<std::optional<std::string>(const std::string& name)>;

    // The locations of the current user: home from $HOME (else the password database), the Desktop
    // from XDG_DESKTOP_DIR in $XDG_CONFIG_HOME/user-dirs.dirs (else $HOME/Desktop).
    static Paths forCurrentUser();
    static Paths forEnvironment(const Environment& env);
};

// The value of XDG_DESKTOP_DIR in the text of a user-dirs.dirs file, with "$HOME" expanded and
// its quoting and escapes removed; none when the file does not set it or sets it malformed.
std::optional<std::filesystem::path> parseUserDirsDesktop(const std::string& text,
                                                          const std::filesystem::path& home);

} // namespace tessarin
