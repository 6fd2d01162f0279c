#include "control/AgentActivation.h"

#include "control/ControlProtocol.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusError>
#include <clocale>
#include <memory>

namespace tessarin::control {

namespace {

// QtDBus wants an application object; the process locale is put back after Qt's start-up changed it.
std::unique_ptr<QCoreApplication> applicationIfNone() {
    if (QCoreApplication::instance())
        return nullptr;
    static int argc = 1;
    static char name[] = "tessarinctl";
    static char* argv[] = {name, nullptr};
    const std::string locale = std::setlocale(LC_ALL, nullptr);
    auto app = std::make_unique<QCoreApplication>(argc, argv);
    std::setlocale(LC_ALL, locale.c_str());
    return app;
}

} // namespace

bool agentIsRunning() {
    const auto app = applicationIfNone();
    QDBusConnection bus = QDBusConnection::sessionBus();
    return bus.isConnected() && bus.interface() &&
           bus.interface()->isServiceRegistered(QString::fromLatin1(busName)).value();
}

std::optional<std::string> startAgentThroughBus() {
    const auto app = applicationIfNone();
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected() || !bus.interface())
        return "Tessarin can't be started from here: there is no D-Bus session bus.";
    // StartServiceByName answers once the started program owns the name (or failed to).
    const QDBusReply<void> reply = bus.interface()->startService(QString::fromLatin1(busName));
    if (!reply.isValid()) {
        if (reply.error().type() == QDBusError::ServiceUnknown)
            return "Tessarin can't be started through the session bus: its service file isn't installed. "
                   "Start it with “tessarin” instead.";
        return "Tessarin didn't start: " + reply.error().message().toStdString();
    }
    return std::nullopt;
}

} // namespace tessarin::control
