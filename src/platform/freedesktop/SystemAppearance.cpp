#include "freedesktop/SystemAppearance.h"

#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QString>
#include <QStringList>

namespace tessarin {

namespace {

constexpr int portalTimeoutMs = 500;

std::unique_ptr<ColorSchemeSetting> settingFor(const std::string& desktop) {
    const QStringList names = QString::fromStdString(desktop).toUpper().split(QLatin1Char(':'));
    if (names.contains(QStringLiteral("KDE")))
        return plasmaColorScheme();
    if (names.contains(QStringLiteral("XFCE")))
        return xfceColorScheme();
    if (names.contains(QStringLiteral("GNOME")))
        return gnomeColorScheme();
    return nullptr;
}

} // namespace

SystemAppearance::SystemAppearance(QDBusConnection bus, Log& log, const std::string& desktop)
    : SystemAppearance(std::move(bus), log, settingFor(desktop), desktop) {}

SystemAppearance::SystemAppearance(QDBusConnection bus, Log& log, std::unique_ptr<ColorSchemeSetting> setting,
                                   std::string desktop)
    : bus_(std::move(bus)), log_(log), setting_(std::move(setting)), desktop_(std::move(desktop)) {}

SystemAppearance::~SystemAppearance() = default;

std::optional<unsigned> SystemAppearance::portalColorScheme() {
    if (!bus_.isConnected())
        return std::nullopt;
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.portal.Desktop"), QStringLiteral("/org/freedesktop/portal/desktop"),
        QStringLiteral("org.freedesktop.portal.Settings"), QStringLiteral("ReadAll"));
    call << QStringList{QStringLiteral("org.freedesktop.appearance")};
    const QDBusMessage reply = bus_.call(call, QDBus::Block, portalTimeoutMs);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return std::nullopt;
    QMap<QString, QVariantMap> namespaces;
    reply.arguments().constFirst().value<QDBusArgument>() >> namespaces;
    QVariant value =
        namespaces.value(QStringLiteral("org.freedesktop.appearance")).value(QStringLiteral("color-scheme"));
    if (value.canConvert<QDBusVariant>())
        value = value.value<QDBusVariant>().variant();
    bool ok = false;
    const unsigned scheme = value.toUInt(&ok);
    if (!ok)
        return std::nullopt;
    return scheme;
}

bool SystemAppearance::currentIsDark() {
    if (const auto scheme = portalColorScheme())
        return *scheme == 1;
    if (!setting_)
        return false;
    try {
        return setting_->isDark(setting_->read());
    } catch (const std::exception&) {
        return false;
    }
}

void SystemAppearance::setDark(bool dark) {
    const std::string mode = dark ? "dark" : "light";
    try {
        if (!setting_)
            throw std::runtime_error("Tessarin can't change the colour scheme of this desktop (" +
                                     (desktop_.empty() ? std::string("unknown") : desktop_) + ")");
        const std::string current = setting_->read();
        // A value Tessarin did not write is the user's own for its mode.
        if (current != written_)
            own_[setting_->isDark(current) ? 1 : 0] = current;
        const std::string value = own_[dark ? 1 : 0].value_or(setting_->valueFor(dark, current));
        setting_->write(value);
        written_ = value;
    } catch (const std::exception& e) {
        log_.log(LogCategory::error, LogLevel::error, "appearance flip to %{public}s failed: %{public}s",
                 mode, std::string(e.what()));
    }
}

} // namespace tessarin
