#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace tessarin {

// A file-sync client whose synced folder holds the Desktop.
struct SyncedDesktop {
    std::string client;           // "Nextcloud", "ownCloud", "Dropbox", "pCloud", "MEGA", "Insync"
    std::filesystem::path folder; // the client's synced folder
};

// The sync client that manages the folder `desktop` resolves to (symbolic links followed), read from
// the clients' own settings under `home` and `configHome` (XDG_CONFIG_HOME): Nextcloud and ownCloud
// account folders, Dropbox's info.json, pCloud's and MEGA's default folders, Insync's folders. None
// when no client manages it.
std::optional<SyncedDesktop> syncClientOfDesktop(const std::filesystem::path& desktop,
                                                 const std::filesystem::path& home,
                                                 const std::filesystem::path& configHome);

} // namespace tessarin
