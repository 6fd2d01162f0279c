#pragma once

// D-Bus services this test process provides to the agent, as the desktop's own would.

#include <QDBusAbstractAdaptor>
#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusMessage>
#include <QObject>
#include <QStringList>

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

private:
    QStringList items_;
    QString sender_;
};

// The file manager's org.freedesktop.FileManager1: records the folders it was asked to show.
class FileManager : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.FileManager1")
public:
    QStringList shown;

public slots:
    void ShowFolders(const QStringList& uris, const QString&) { shown += uris; }
    void ShowItems(const QStringList& uris, const QString&) { shown += uris; }
    void ShowItemProperties(const QStringList&, const QString&) {}
};

} // namespace tessarin::e2e
