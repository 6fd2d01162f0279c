#include "launch/AgentCommandLine.h"

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
    return "Usage: tessarin [--help] [--version]\n\n"
           "Tessarin keeps several named desktops for your account. The items on your Desktop folder\n"
           "belong to the active desktop; switching moves them into that desktop's folder in\n"
           "\"Tessarin Desktops\" in your home folder and brings the next desktop's items onto the "
           "Desktop.\n\n"
           "tessarin is the agent: it runs in your desktop session and shows a tray icon with the\n"
           "status menu. Switch from the menu, with the mouse wheel over the icon, with Alt-click (the\n"
           "desktops of the Alt-click carousel), with your shortcuts, or from a terminal with tessarinctl,\n"
           "which forwards to the running agent (tessarinctl --help).\n\n"
           "Options:\n"
           "  -h, --help   show this help and exit\n"
           "  --version    print the version and exit\n\n"
           "Qt's own options (-platform NAME, -display DISPLAY, ...) are passed on to Qt.\n";
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
