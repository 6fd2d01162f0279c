#pragma once

#include <QDBusArgument>
#include <QDBusVariant>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariantMap>

namespace tessarin {

// One node of a com.canonical.dbusmenu layout, (ia{sv}av): its id, its properties and its children.
struct DBusMenuLayoutItem {
    int id = 0;
    QVariantMap properties;
    QList<DBusMenuLayoutItem> children;
};

// (ia{sv}): an item's id and properties.
struct DBusMenuItemProperties {
    int id = 0;
    QVariantMap properties;
};

// (ias): an item's id and the names of properties that went back to their defaults.
struct DBusMenuItemRemovedProperties {
    int id = 0;
    QStringList names;
};

// (isvu): one event of EventGroup.
struct DBusMenuEvent {
    int id = 0;
    QString eventId;
    QDBusVariant data;
    uint timestamp = 0;
};

// (iiay): an icon image for a StatusNotifierItem host, ARGB32 in network byte order.
struct SniIconPixmap {
    int width = 0;
    int height = 0;
    QByteArray bytes;
};

// (sa(iiay)ss): a StatusNotifierItem tooltip.
struct SniToolTip {
    QString iconName;
    QList<SniIconPixmap> icons;
    QString title;
    QString description;
};

QDBusArgument& operator<<(QDBusArgument& arg, const DBusMenuLayoutItem& item);
const QDBusArgument& operator>>(const QDBusArgument& arg, DBusMenuLayoutItem& item);
QDBusArgument& operator<<(QDBusArgument& arg, const DBusMenuItemProperties& item);
const QDBusArgument& operator>>(const QDBusArgument& arg, DBusMenuItemProperties& item);
QDBusArgument& operator<<(QDBusArgument& arg, const DBusMenuItemRemovedProperties& item);
const QDBusArgument& operator>>(const QDBusArgument& arg, DBusMenuItemRemovedProperties& item);
QDBusArgument& operator<<(QDBusArgument& arg, const DBusMenuEvent& event);
const QDBusArgument& operator>>(const QDBusArgument& arg, DBusMenuEvent& event);
QDBusArgument& operator<<(QDBusArgument& arg, const SniIconPixmap& icon);
const QDBusArgument& operator>>(const QDBusArgument& arg, SniIconPixmap& icon);
QDBusArgument& operator<<(QDBusArgument& arg, const SniToolTip& tip);
const QDBusArgument& operator>>(const QDBusArgument& arg, SniToolTip& tip);

// Registers the types above with QtDBus; call before exporting or reading them.
void registerTrayDBusTypes();

} // namespace tessarin

Q_DECLARE_METATYPE(tessarin::DBusMenuLayoutItem)
Q_DECLARE_METATYPE(tessarin::DBusMenuItemProperties)
Q_DECLARE_METATYPE(tessarin::DBusMenuItemRemovedProperties)
Q_DECLARE_METATYPE(tessarin::DBusMenuEvent)
Q_DECLARE_METATYPE(tessarin::SniIconPixmap)
Q_DECLARE_METATYPE(tessarin::SniToolTip)
