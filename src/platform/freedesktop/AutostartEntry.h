#pragma once

#include "freedesktop/Installation.h"

#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>

namespace tessarin {

// A refused or failed change of the autostart entry, with its user-facing text.
class AutostartError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Starting Tessarin at login: the XDG autostart entry
// $XDG_CONFIG_HOME/autostart/com.orrinvale.Tessarin.desktop, written only when the user turns it on, and only
// for an installed program (a development run would leave an entry pointing into a build tree).
class AutostartEntry {
public:
    AutostartEntry(std::filesystem::path configHome, Installation installation);

    // The entry exists and the desktop would start it (not Hidden, not disabled).
    bool isOn() const;
    // Why the entry can't be turned on; none when it can.
    std::optional<std::string> unavailableReason() const;
    bool available() const { return !unavailableReason(); }
    // Writes the entry (atomically); throws AutostartError when unavailable or the write fails.
    void turnOn();
    // Removes the entry; nothing when there is none. Throws AutostartError when it can't be removed.
    void turnOff();
    // turnOn or turnOff.
    void set(bool on);

    std::filesystem::path path() const { return path_; }
    // The entry's text for this installation.
    std::string entryText() const;

    static constexpr const char* notInstalledText = "Becomes available once Tessarin is installed as an app.";

private:
    std::filesystem::path path_;
    Installation installation_;
};

// $XDG_CONFIG_HOME when set to an absolute path, else ~/.config.
std::filesystem::path userConfigHome(const std::filesystem::path& home);

// An argument of a desktop entry's Exec key, quoted where it needs to be.
std::string desktopEntryExecArgument(const std::string& argument);

} // namespace tessarin
