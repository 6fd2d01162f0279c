#include "kde/KWinVirtualDesktops.h"

#include <QDBusArgument>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusVariant>
#include <algorithm>

namespace tessarin {

namespace {

constexpr int callTimeoutMs = 2000;

// The "desktops" property: an array of (position, id, name), in no guaranteed order.
std::vector<std::pair<uint, std::string>> desktopsByPosition(const QVariant& value) {
    std::vector<std::pair<uint, std::string>> desktops;
    if (!value.canConvert<QDBusArgument>())
        return desktops;
    const auto argument = value.value<QDBusArgument>();
    if (argument.currentType() != QDBusArgument::ArrayType)
        return desktops;
    argument.beginArray();
    while (!argument.atEnd()) {
        uint position = 0;
        QString id, name;
        argument.beginStructure();
        argument >> position >> id >> name;
        argument.endStructure();
        desktops.emplace_back(position, id.toStdString());
    }
    argument.endArray();
    std::stable_sort(desktops.begin(), desktops.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    return desktops;
}

} // namespace

KWinVirtualDesktops::KWinVirtualDesktops(QDBusConnection bus, QObject* parent)
    : QObject(parent), bus_(std::move(bus)) {
    bus_.connect(QString::fromLatin1(service), QString::fromLatin1(path), QString::fromLatin1(interface),
                 QStringLiteral("currentChanged"), this, SLOT(currentChanged(QString)));
}

bool KWinVirtualDesktops::present(QDBusConnection bus) {
    if (!bus.isConnected() || !bus.interface() ||
        !bus.interface()->isServiceRegistered(QString::fromLatin1(service)).value())
        return false;
    return KWinVirtualDesktops(bus).available();
}

QVariant KWinVirtualDesktops::property(const char* name) const {
    QDBusMessage call = QDBusMessage::createMethodCall(
        QString::fromLatin1(service), QString::fromLatin1(path),
        QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    call << QString::fromLatin1(interface) << QString::fromLatin1(name);
    const QDBusMessage reply = bus_.call(call, QDBus::Block, callTimeoutMs);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return {};
    return reply.arguments().constFirst().value<QDBusVariant>().variant();
}

bool KWinVirtualDesktops::available() const {
    return !property("current").toString().isEmpty();
}

std::string KWinVirtualDesktops::unavailableReason() const {
    return available() ? std::string() : "KWin doesn't answer on the session bus.";
}

std::optional<SpaceInfo> KWinVirtualDesktops::activeSpace() const {
    const QString current = property("current").toString();
    if (current.isEmpty())
        return std::nullopt;
    SpaceInfo info{current.toStdString(), true, std::nullopt};
    info.number = userSpaceNumber(info.identity);
    return info;
}

std::vector<std::string> KWinVirtualDesktops::userSpaceIdentities() const {
    std::vector<std::string> identities;
    for (auto& [position, id] : desktopsByPosition(property("desktops")))
        identities.push_back(std::move(id));
    return identities;
}

void KWinVirtualDesktops::currentChanged(const QString&) {
    if (activeSpaceChanged)
        activeSpaceChanged();
}

} // namespace tessarin
