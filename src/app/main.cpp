#include "AppController.h"
#include "journald/JournaldLogSink.h"
#include "launch/AgentCommandLine.h"
#include "support/BuildInfo.h"
#include "support/StderrLogSink.h"

#include <QApplication>
#include <QStandardPaths>
#include <clocale>
#include <cstdlib>
#include <iostream>
#include <memory>

using namespace tessarin;

namespace {

std::vector<std::shared_ptr<LogSink>> logSinks() {
    std::vector<std::shared_ptr<LogSink>> sinks;
    if (auto journal = journalSinkIfRunning())
        sinks.push_back(std::move(journal));
    sinks.push_back(std::make_shared<StderrLogSink>());
    return sinks;
}

std::filesystem::path configHome(const Paths& paths) {
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    return xdg && *xdg ? std::filesystem::path(xdg) : paths.home / ".config";
}

} // namespace

int main(int argc, char** argv) {
    switch (agentRequest(std::vector<std::string>(argv + 1, argv + argc))) {
    case AgentRequest::help:
        std::cout << agentHelpText();
        return 0;
    case AgentRequest::version:
        std::cout << agentVersionText() << "\n";
        return 0;
    case AgentRequest::run:
        break;
    }
    const char* display = std::getenv("DISPLAY");
    const char* waylandDisplay = std::getenv("WAYLAND_DISPLAY");
    if (const auto sentence =
            missingDisplaySentence(display, waylandDisplay, std::getenv("QT_QPA_PLATFORM"))) {
        std::cerr << *sentence;
        return 1;
    }
    auto guard = std::make_unique<PlatformStartGuard>(unusableDisplaySentence(display, waylandDisplay));
    QApplication app(argc, argv);
    guard.reset();
    // Qt switched to the user's locale; the log and the documents are written in the C locale.
    std::setlocale(LC_NUMERIC, "C");
    QApplication::setApplicationName(QStringLiteral("tessarin"));
    QApplication::setApplicationDisplayName(QStringLiteral("Tessarin"));
    QApplication::setDesktopFileName(QStringLiteral("com.orrinvale.Tessarin"));
    // An agent: closing its last alert or window does not end it.
    QApplication::setQuitOnLastWindowClosed(false);

    QDBusConnection sessionBus = QDBusConnection::sessionBus();
    if (!sessionBus.isConnected()) {
        std::cerr << missingSessionBusSentence();
        return 1;
    }

    Log log(logSinks());
    SystemClock clock;
    const Paths paths = Paths::forCurrentUser();
    AppController controller(AgentEnvironment{
        paths, configHome(paths), log, clock, sessionBus, QDBusConnection::systemBus(),
        buildinfo::version.empty() ? std::string("dev") : std::string(buildinfo::version), AgentHooks{}});
    controller.start();
    return QApplication::exec();
}
