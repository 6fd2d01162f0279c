#include "AppController.h"
#include "journald/JournaldLogSink.h"
#include "support/StderrLogSink.h"

#include <QApplication>
#include <QStandardPaths>
#include <clocale>

using namespace tessarin;

namespace {

std::vector<std::shared_ptr<LogSink>> logSinks() {
    std::vector<std::shared_ptr<LogSink>> sinks;
    std::error_code ec;
    if (std::filesystem::exists(journalSocketPath, ec))
        sinks.push_back(std::make_shared<JournaldLogSink>());
    sinks.push_back(std::make_shared<StderrLogSink>());
    return sinks;
}

std::filesystem::path configHome(const Paths& paths) {
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    return xdg && *xdg ? std::filesystem::path(xdg) : paths.home / ".config";
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // Qt switched to the user's locale; the log and the documents are written in the C locale.
    std::setlocale(LC_NUMERIC, "C");
    QApplication::setApplicationName(QStringLiteral("tessarin"));
    QApplication::setApplicationDisplayName(QStringLiteral("Tessarin"));
    QApplication::setDesktopFileName(QStringLiteral("com.orrinvale.Tessarin"));
    // An agent: closing its last alert or window does not end it.
    QApplication::setQuitOnLastWindowClosed(false);

    Log log(logSinks());
    SystemClock clock;
    const Paths paths = Paths::forCurrentUser();
    AppController controller(AgentEnvironment{paths, configHome(paths), log, clock,
                                              QDBusConnection::sessionBus(), QDBusConnection::systemBus(),
                                              TESSARIN_VERSION, AgentHooks{}});
    controller.start();
    return QApplication::exec();
}
