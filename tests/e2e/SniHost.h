#pragma once

// A StatusNotifierItem host's calls, as a panel makes them: properties, the exported menu, clicks
// and wheel turns over the item.

#include "tray/TrayDBusTypes.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusInterface>
#include <QDBusMessage>
#include <QDBusVariant>

namespace tessarin::e2e {

inline QVariant itemProperty(const QString& service, const char* name) {
    QDBusInterface item(service, QStringLiteral("/StatusNotifierItem"),
                        QStringLiteral("org.kde.StatusNotifierItem"));
    return item.property(name);
}

inline QDBusMessage call(const QString& service, const QString& path, const QString& interface,
                         const QString& method, const QVariantList& args) {
    QDBusMessage m = QDBusMessage::createMethodCall(service, path, interface, method);
    m.setArguments(args);
    return QDBusConnection::sessionBus().call(m, QDBus::BlockWithGui, 10000);
}

// A value of a D-Bus type this process knows, whether QtDBus decoded it already or not.
template <typename T> T decoded(const QVariant& v) {
    T value{};
    if (v.canConvert<QDBusArgument>())
        v.value<QDBusArgument>() >> value;
    else
        value = v.value<T>();
    return value;
}

// A property of the item read as a host reads it: through org.freedesktop.DBus.Properties.
template <typename T> T itemStruct(const QString& service, const QString& name) {
    QDBusMessage reply = call(service, QStringLiteral("/StatusNotifierItem"),
                              QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"),
                              {QStringLiteral("org.kde.StatusNotifierItem"), name});
    if (reply.type() != QDBusMessage::ReplyMessage)
        return T{};
    return decoded<T>(reply.arguments().front().value<QDBusVariant>().variant());
}

inline DBusMenuLayoutItem menuLayout(const QString& service) {
    DBusMenuLayoutItem layout;
    QDBusMessage reply = call(service, QStringLiteral("/MenuBar"), QStringLiteral("com.canonical.dbusmenu"),
                              QStringLiteral("GetLayout"), {0, -1, QStringList()});
    if (reply.type() == QDBusMessage::ReplyMessage)
        reply.arguments().at(1).value<QDBusArgument>() >> layout;
    return layout;
}

// The id the menu gives the row labelled `label`; -1 when none is.
inline int idOf(const DBusMenuLayoutItem& layout, const QString& label) {
    for (const auto& child : layout.children)
        if (child.properties.value("label").toString() == label)
            return child.id;
    return -1;
}

inline void click(const QString& service, int id) {
    call(service, QStringLiteral("/MenuBar"), QStringLiteral("com.canonical.dbusmenu"),
         QStringLiteral("Event"),
         {id, QStringLiteral("clicked"), QVariant::fromValue(QDBusVariant(QString())), 0u});
}

inline void scroll(const QString& service, int delta, const char* orientation = "vertical") {
    call(service, QStringLiteral("/StatusNotifierItem"), QStringLiteral("org.kde.StatusNotifierItem"),
         QStringLiteral("Scroll"), {delta, QString::fromLatin1(orientation)});
}

} // namespace tessarin::e2e
