#include "freedesktop/AutostartEntry.h"

#include "store/AtomicFile.h"

#include <cstdlib>
#include <sstream>

namespace tessarin {

namespace fs = std::filesystem;

namespace {

// The value of `key` in the [Desktop Entry] group of a desktop entry's text.
std::optional<std::string> entryValue(const std::string& text, const std::string& key) {
    std::istringstream lines(text);
    bool inMainGroup = false;
    for (std::string line; std::getline(lines, line);) {
        if (line.starts_with("[")) {
            inMainGroup = line == "[Desktop Entry]";
            continue;
        }
        if (!inMainGroup || !line.starts_with(key))
            continue;
        std::size_t i = key.size();
        while (i < line.size() && line[i] == ' ')
            ++i;
        if (i < line.size() && line[i] == '=') {
            std::string value = line.substr(i + 1);
            value.erase(0, value.find_first_not_of(' '));
            return value;
        }
    }
    return std::nullopt;
}

} // namespace

fs::path userConfigHome(const fs::path& home) {
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    return xdg && *xdg == '/' ? fs::path(xdg) : home / ".config";
}

std::string desktopEntryExecArgument(const std::string& argument) {
    static constexpr std::string_view reserved = " \t\n\"'\\><~|&;$*?#()`=%";
    if (!argument.empty() && argument.find_first_of(reserved) == std::string::npos)
        return argument;
    // Inside the quotes ", `, $ and \ take a backslash; then the value's own escaping doubles every
    // backslash. A literal % is written %%.
    std::string quoted = "\"";
    for (const char c : argument) {
        if (c == '"' || c == '`' || c == '$' || c == '\\')
            quoted += '\\';
        if (c == '%')
            quoted += '%';
        quoted += c;
    }
    quoted += '"';
    std::string value;
    for (const char c : quoted) {
        if (c == '\\')
            value += '\\';
        value += c;
    }
    return value;
}

AutostartEntry::AutostartEntry(fs::path configHome, Installation installation)
    : path_(configHome / "autostart" / (std::string(applicationId) + ".desktop")),
      installation_(std::move(installation)) {}

bool AutostartEntry::isOn() const {
    const auto text = readWholeFile(path_);
    if (!text)
        return false;
    return entryValue(*text, "Hidden") != "true" && entryValue(*text, "X-GNOME-Autostart-enabled") != "false";
}

std::optional<std::string> AutostartEntry::unavailableReason() const {
    if (!installation_.installed())
        return notInstalledText;
    return std::nullopt;
}

std::string AutostartEntry::entryText() const {
    return "[Desktop Entry]\n"
           "Type=Application\n"
           "Name=Tessarin\n"
           "Comment=Several desktops for your Desktop folder\n"
           "Exec=" +
           desktopEntryExecArgument(installation_.agentProgram().string()) +
           "\n"
           "Icon=" +
           applicationId +
           "\n"
           "Terminal=false\n"
           "X-GNOME-Autostart-enabled=true\n";
}

void AutostartEntry::turnOn() {
    if (const auto reason = unavailableReason())
        throw AutostartError(*reason);
    try {
        fs::create_directories(path_.parent_path());
        writeAtomically(path_, entryText());
    } catch (const std::exception& e) {
        throw AutostartError("Couldn’t turn on launching at startup: " + std::string(e.what()));
    }
}

void AutostartEntry::turnOff() {
    std::error_code ec;
    fs::remove(path_, ec);
    if (ec)
        throw AutostartError("Couldn’t turn off launching at startup: " + ec.message());
}

void AutostartEntry::set(bool on) {
    if (on)
        turnOn();
    else
        turnOff();
}

} // namespace tessarin
