#pragma once

#include "session/Uninstaller.h"

#include <filesystem>
#include <optional>
#include <string>

namespace tessarin {

// The application id: D-Bus name, desktop entry and AppStream id, icon name.
inline constexpr const char* applicationId = "com.orrinvale.Tessarin";
// The Debian package the program is shipped in.
inline constexpr const char* debianPackageName = "tessarin";

enum class InstallKind {
    development, // run from the build tree
    prefix,      // installed from source into a prefix (cmake --install)
    package,     // installed by the package manager
    appImage,    // run from an AppImage
};

// Where the running program comes from. It runs as an installed application when its binary lies in
// the bin folder of a prefix that holds share/applications/com.orrinvale.Tessarin.desktop, or when it
// runs from an AppImage ($APPIMAGE); anything else is a development run, which never writes the
// autostart entry and never updates itself.
struct Installation {
    InstallKind kind = InstallKind::development;
    std::filesystem::path executable; // the running binary
    std::filesystem::path prefix;     // prefix and package: the install prefix, e.g. /usr
    std::filesystem::path appImage;   // appImage: the AppImage file

    bool installed() const { return kind != InstallKind::development; }
    // What starts the agent of this installation (autostart, relaunch, D-Bus activation): the
    // AppImage, or the prefix's bin/tessarin. Empty in a development run.
    std::filesystem::path agentProgram() const;
    RemovalStep removalStep() const;
    // The last step of an uninstall, told to the user: how the program itself goes.
    std::string removalInstructions() const;

    // What the decision looks at.
    struct Probe {
        std::filesystem::path executable;
        std::optional<std::string> appImageVariable; // $APPIMAGE
    };
    // `systemPrefix`: the prefix only the package manager installs into.
    static Installation detect(const Probe& probe, const std::filesystem::path& systemPrefix = "/usr");
    // The running process: /proc/self/exe and $APPIMAGE.
    static Installation current();
};

} // namespace tessarin
