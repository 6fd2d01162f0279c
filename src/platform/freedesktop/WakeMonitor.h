#pragma once

#include <QDBusConnection>
#include <QObject>
#include <functional>

namespace tessarin {

// Calls back each time the machine has woken from sleep: logind's PrepareForSleep(false) on the system
// bus. Without a system bus (containers, minimal sessions) it stays silent.
class WakeMonitor : public QObject {
    Q_OBJECT
public:
    static constexpr const char* service = "org.freedesktop.login1";
    static constexpr const char* path = "/org/freedesktop/login1";
    static constexpr const char* interface = "org.freedesktop.login1.Manager";

    // `bus` is the system bus in the agent; tests hand in a private one.
    WakeMonitor(QDBusConnection bus, std::function<void()> onWake, QObject* parent = nullptr);

    // False when there was no bus to listen on.
    bool listening() const { return listening_; }

private slots:
    void prepareForSleep(bool start);

private:
    std::function<void()> onWake_;
    bool listening_ = false;
};

} // namespace tessarin
