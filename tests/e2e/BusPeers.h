#pragma once

// D-Bus services this test process provides to the agent, as the desktop's own would.

#include <QDBusAbstractAdaptor>
#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusMessage>
#include <QObject>
#include <QStringList>
#include <QVariantMap>

namespace tessarin::e2e {

// A StatusNotifierWatcher: keeps the items that register, and says a host is there.
class StatusNotifierWatcher : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.StatusNotifierWatcher")
    Q_PROPERTY(QStringList RegisteredStatusNotifierItems READ items)
    Q_PROPERTY(bool IsStatusNotifierHostRegistered READ hostRegistered)
    Q_PROPERTY(int ProtocolVersion READ protocolVersion)
public:
    QStringList items() const { return items_; }
    bool hostRegistered() const { return true; }
    int protocolVersion() const { return 0; }
    // The unique bus name of the last item's connection.
    QString lastSender() const { return sender_; }

public slots:
    void RegisterStatusNotifierItem(const QString& service) {
        items_.append(service);
        sender_ = message().service();
    }
    void RegisterStatusNotifierHost(const QString&) {}

public:
    // Serves this watcher on the session bus under its well-known name, as a panel does.
    bool serve() {
        QDBusConnection bus = QDBusConnection::sessionBus();
        return bus.registerObject(QStringLiteral("/StatusNotifierWatcher"), this,
                                  QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllProperties) &&
               bus.registerService(QStringLiteral("org.kde.StatusNotifierWatcher"));
    }

private:
    QStringList items_;
    QString sender_;
};

// The file manager's org.freedesktop.FileManager1: records the folders it was asked to show, or, when
// it refuses, answers each request with an error.
class FileManager : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.FileManager1")
public:
    QStringList shown;
    bool refuses = false;

public slots:
    void ShowFolders(const QStringList& uris, const QString&) {
        if (refuses)
            sendErrorReply(QDBusError::Failed, QStringLiteral("no window to show it in"));
        else
            shown += uris;
    }
    void ShowItems(const QStringList& uris, const QString&) { shown += uris; }
    void ShowItemProperties(const QStringList&, const QString&) {}
};

// A notification server's org.freedesktop.Notifications: records the notifications it was given.
class NotificationServer : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")
public:
    struct Shown {
        QString summary;
        QString body;
    };
    QList<Shown> shown;

public slots:
    uint Notify(const QString&, uint, const QString&, const QString& summary, const QString& body,
                const QStringList&, const QVariantMap&, int) {
        shown.append({summary, body});
        return static_cast<uint>(shown.size());
    }
};

} // namespace tessarin::e2e
