#include "launch/AgentCommandLine.h"

#include "commands/HelpPages.h"
#include "support/BuildInfo.h"

#include <QString>
#include <QtGlobal>
#include <cstdio>
#include <cstdlib>
#include <utility>

namespace tessarin {

namespace {

constexpr const char* startFromSession =
    "\nStart Tessarin from your desktop session; tessarinctl works without one "
    "(tessarinctl --help).\n";

// A message of Qt's, held back; the context's strings are literals of the caller.
struct Held {
    QtMsgType type;
    const char* file;
    int line;
    const char* function;
    const char* category;
    QString message;
};

// The guard's state: one guard at a time, around the construction of the application object.
struct GuardState {
    std::string sentence;
    QtMessageHandler previous = nullptr;
    std::vector<Held> held;
};
GuardState* guard = nullptr;

void holdOrReplace(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type == QtFatalMsg) {
        std::fputs(guard->sentence.c_str(), stderr);
        std::_Exit(1);
    }
    guard->held.push_back({type, context.file, context.line, context.function, context.category, message});
}

} // namespace

AgentRequest agentRequest(const std::vector<std::string>& words) {
    for (const auto& word : words) {
        if (word == "--help" || word == "-h")
            return AgentRequest::help;
        if (word == "--version")
            return AgentRequest::version;
    }
    return AgentRequest::run;
}

std::string agentHelpText() {
    return helpText(cmd::tessarinHelp());
}

std::string agentVersionText() {
    std::string text = "Tessarin ";
    text += buildinfo::version.empty() ? std::string("dev") : std::string(buildinfo::version);
    if (!buildinfo::build.empty())
        text += " (build " + std::string(buildinfo::build) + ")";
    return text;
}

std::optional<std::string> missingDisplaySentence(const char* display, const char* waylandDisplay,
                                                  const char* qtPlatform) {
    const auto set = [](const char* value) { return value && *value; };
    // A platform chosen by hand (offscreen, a VNC server, ...) is the user's business.
    if (set(display) || set(waylandDisplay) || set(qtPlatform))
        return std::nullopt;
    return std::string("tessarin: there is no graphical display to show the tray icon on (DISPLAY and "
                       "WAYLAND_DISPLAY are not set).") +
           startFromSession;
}

std::string unusableDisplaySentence(const char* display, const char* waylandDisplay) {
    std::string which;
    if (waylandDisplay && *waylandDisplay)
        which = std::string(" \"") + waylandDisplay + "\"";
    else if (display && *display)
        which = std::string(" \"") + display + "\"";
    return "tessarin: could not open the display" + which + " to show the tray icon on." + startFromSession;
}

std::string missingSessionBusSentence() {
    return std::string(
               "tessarin: could not reach the session's D-Bus, which Tessarin needs to make sure only one "
               "copy manages your desktops.") +
           startFromSession;
}

PlatformStartGuard::PlatformStartGuard(std::string sentence) {
    guard = new GuardState{std::move(sentence), nullptr, {}};
    guard->previous = qInstallMessageHandler(holdOrReplace);
}

PlatformStartGuard::~PlatformStartGuard() {
    qInstallMessageHandler(guard->previous);
    for (const auto& h : guard->held)
        qt_message_output(h.type, QMessageLogContext(h.file, h.line, h.function, h.category), h.message);
    delete guard;
    guard = nullptr;
}

} // namespace tessarin
