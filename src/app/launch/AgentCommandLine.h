#pragma once

#include <optional>
#include <string>
#include <vector>

namespace tessarin {

// What `tessarin` is asked on its command line before anything starts.
enum class AgentRequest { run, help, version };

// --help or -h, --version; anything else (Qt's own -platform, -display, ...) is left to Qt.
AgentRequest agentRequest(const std::vector<std::string>& words);

// The text of --help.
std::string agentHelpText();
// "Tessarin 0.1.0", with the build number when the build has one.
std::string agentVersionText();

// The sentence for a start without a display to show the icon on, from the session's DISPLAY,
// WAYLAND_DISPLAY and QT_QPA_PLATFORM (each null when unset); none when there may be one.
std::optional<std::string> missingDisplaySentence(const char* display, const char* waylandDisplay,
                                                  const char* qtPlatform);
// The sentence for a display that could not be opened (Qt's platform plugin gave up).
std::string unusableDisplaySentence(const char* display, const char* waylandDisplay);
// The sentence for a start without a session bus.
std::string missingSessionBusSentence();

// While it lives, Qt's messages are held back, and a fatal one (the platform plugin could not
// start) prints `sentence` instead of Qt's abort and ends the program with status 1. On destruction
// the held messages go to Qt's usual output.
class PlatformStartGuard {
public:
    explicit PlatformStartGuard(std::string sentence);
    ~PlatformStartGuard();
    PlatformStartGuard(const PlatformStartGuard&) = delete;
    PlatformStartGuard& operator=(const PlatformStartGuard&) = delete;
};

} // namespace tessarin
