#pragma once

#include "triggers/SpaceIdentifier.h"

#include <QDBusConnection>
#include <QObject>

namespace tessarin {

// KWin's virtual desktops (Plasma on X11 and Wayland) through its VirtualDesktopManager on the session
// bus. A desktop's identity is KWin's own id, which survives renaming and reordering.
class KWinVirtualDesktops : public QObject, public SpaceIdentifier {
    Q_OBJECT
public:
    static constexpr const char* service = "org.kde.KWin";
    static constexpr const char* path = "/VirtualDesktopManager";
    static constexpr const char* interface = "org.kde.KWin.VirtualDesktopManager";

    explicit KWinVirtualDesktops(QDBusConnection bus, QObject* parent = nullptr);

    // KWin answers on `bus`.
    static bool present(QDBusConnection bus);

    bool available() const override;
    std::string unavailableReason() const override;
    std::optional<SpaceInfo> activeSpace() const override;
    std::vector<std::string> userSpaceIdentities() const override;

private slots:
    void currentChanged(const QString& id);

private:
    QVariant property(const char* name) const;

    QDBusConnection bus_;
};

} // namespace tessarin
