#include "tray/NoTrayNotice.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QVariantMap>

namespace tessarin {

NoTrayNotice::NoTrayNotice(QDBusConnection bus, Alerts& alerts, QObject* parent)
    : QObject(parent), bus_(std::move(bus)), alerts_(alerts) {}

void NoTrayNotice::tell() {
    if (told_)
        return;
    told_ = true;
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("/org/freedesktop/Notifications"),
        QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("Notify"));
    call << QStringLiteral("Tessarin") << 0u << QString() << QString::fromUtf8(summary)
         << QString::fromUtf8(body) << QStringList() << QVariantMap() << -1;
    auto* watcher = new QDBusPendingCallWatcher(bus_.asyncCall(call, 5000), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, watcher] {
        if (watcher->isError()) {
            AlertSpec alert;
            alert.message = QString::fromUtf8(summary);
            alert.informative = QString::fromUtf8(body);
            alerts_.show(std::move(alert));
        }
        watcher->deleteLater();
    });
}

} // namespace tessarin
