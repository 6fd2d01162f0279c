#pragma once

#include "alerts/Alerts.h"

#include <QDBusConnection>
#include <QObject>

namespace tessarin {

// Tells the user, once per run, that the session has no tray to show the icon in and that the command
// line and the shortcuts still work: a notification through org.freedesktop.Notifications, or an
// alert when no notification server answers.
class NoTrayNotice : public QObject {
    Q_OBJECT
public:
    static constexpr const char* summary = "Tessarin is running without a tray icon";
    static constexpr const char* body =
        "Your desktop shows no tray (status area), so Tessarin's icon and menu can't appear. Your "
        "shortcuts and the command line still work \u2014 for example tessarinctl list or tessarinctl switch "
        "NAME. The icon appears as soon as a tray does.";

    NoTrayNotice(QDBusConnection bus, Alerts& alerts, QObject* parent = nullptr);

    void tell();
    bool told() const { return told_; }

private:
    QDBusConnection bus_;
    Alerts& alerts_;
    bool told_ = false;
};

} // namespace tessarin
