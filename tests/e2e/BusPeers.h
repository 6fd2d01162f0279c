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

// An object of this process served on the session bus at `path` under the well-known `name` while this
// lives, as the desktop's own program would serve it.
class Served {
public:
    Served(QObject* object, const char* path, const char* name) : path_(path), name_(name) {
        ok_ = bus().registerObject(path_, object,
                                   QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllProperties) &&
              takeName();
    }
    ~Served() {
        giveUpName();
        bus().unregisterObject(path_);
    }
    Served(const Served&) = delete;
    Served& operator=(const Served&) = delete;
    bool ok() const { return ok_; }
    // The name given up and taken again, as when the program ends and another one starts.
    void giveUpName() { bus().unregisterService(name_); }
    bool takeName() { return bus().registerService(name_); }

private:
    static QDBusConnection bus() { return QDBusConnection::sessionBus(); }
    QString path_, name_;
    bool ok_ = false;
};

// A StatusNotifierWatcher: keeps the items that register, and says a host is there.
class StatusNotifierWatcher : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.StatusNotifierWatcher")
    Q_PROPERTY(QStringList RegisteredStatusNotifierItems READ items)
    Q_PROPERTY(bool IsStatusNotifierHostRegistered READ hostRegistered)
    Q_PROPERTY(int ProtocolVersion READ protocolVersion)
public:
    QStringList items() const { return items_; }
    bool hostRegistered() const { return true; }
    int protocolVersion() const { return 0; }

public slots:
    void RegisterStatusNotifierItem(const QString& service) { items_.append(service); }
    void RegisterStatusNotifierHost(const QString&) {}

private:
    QStringList items_;
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

// A notification server's org.freedesktop.Notifications: records the notifications it was given. A
// notification's id is its number among them; one that replaces another keeps that one's id.
class NotificationServer : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")
public:
    struct Shown {
        QString summary;
        QString body;
        uint replaces; // 0: none
        QVariantMap hints;
    };
    QList<Shown> shown;

public slots:
    uint Notify(const QString&, uint replaces, const QString&, const QString& summary, const QString& body,
                const QStringList&, const QVariantMap& hints, int) {
        shown.append({summary, body, replaces, hints});
        return replaces ? replaces : static_cast<uint>(shown.size());
    }
    QStringList GetCapabilities() { return {QStringLiteral("body")}; }
};

} // namespace tessarin::e2e
