#include "freedesktop/WakeMonitor.h"

namespace tessarin {

WakeMonitor::WakeMonitor(QDBusConnection bus, std::function<void()> onWake, QObject* parent)
    : QObject(parent), onWake_(std::move(onWake)) {
    if (!bus.isConnected())
        return;
    listening_ =
        bus.connect(QString::fromLatin1(service), QString::fromLatin1(path), QString::fromLatin1(interface),
                    QStringLiteral("PrepareForSleep"), this, SLOT(prepareForSleep(bool)));
}

void WakeMonitor::prepareForSleep(bool start) {
    if (!start && onWake_)
        onWake_();
}

} // namespace tessarin
