#pragma once

#include "freedesktop/Installation.h"
#include "organise/FileService.h"

#include <filesystem>
#include <functional>
#include <string>

namespace tessarin {

// Where an AppImage run sits. One in the Downloads folder is poorly placed: a tidy-up sweeps it away
// and the autostart entry breaks when it moves. A package install, a prefix install and a development
// run are always fine; Linux has no translocated copies.
enum class InstallSituation { fine, translocated, inDownloads };

struct InstallLocation {
    Installation installation;
    std::filesystem::path home;
    std::filesystem::path downloads; // the XDG download folder; empty when unknown

    InstallSituation situation() const;
    // The folder the program sits in, for the offer's text ("Downloads").
    std::string sourceFolderName() const;
    // ~/Applications.
    std::filesystem::path applicationsFolder() const { return home / "Applications"; }

    // Moves the AppImage into ~/Applications: the autostart entry is turned off first (through
    // `turnOffAutostart`; a failure is ignored), an item already there goes to the Trash, and the
    // AppImage is moved (copied when its folder is read-only or on another disk). Returns the new path;
    // throws std::runtime_error with the reason.
    std::filesystem::path moveToApplications(FileService& trash,
                                             const std::function<void()>& turnOffAutostart) const;

    // The current user's: home, the download folder from user-dirs.dirs.
    static InstallLocation current(const Installation& installation, const std::filesystem::path& home);
};

// The situation's name for the log: "fine", "translocated", "inDownloads".
const char* situationName(InstallSituation situation);

// Starts the program at `program` as a new process; false when it could not be started.
bool launchDetached(const std::filesystem::path& program);

} // namespace tessarin
