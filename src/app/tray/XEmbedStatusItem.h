#pragma once

#include "tray/HostScrollSteps.h"
#include "tray/StatusItem.h"

#include <QSystemTrayIcon>

namespace tessarin {

// The icon in an XEmbed system tray (tint2, trayer, stalonetray, …) through QSystemTrayIcon. Wheel
// events over the icon reach the QSystemTrayIcon object and are caught with an event filter: touchpad
// pixels go on as they are, wheel angles as one step per notch (high-resolution wheels send parts of one).
class XEmbedStatusItem : public StatusItem {
    Q_OBJECT
public:
    explicit XEmbedStatusItem(QObject* parent = nullptr);

    void setGlyph(const BarLengths& widths, const BarLengths& radii) override;
    // Only the tooltip: this tray leaves the menu to us.
    void setMenu(const StatusMenuModel& model) override;
    QPoint menuPosition() const override;
    const char* protocol() const override { return "XEmbed"; }

    // Whether the session has an XEmbed tray at all.
    static bool available() { return QSystemTrayIcon::isSystemTrayAvailable(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QSystemTrayIcon icon_;
    HostScrollSteps wheelSteps_{HostScrollSteps::Units::qt};
};

} // namespace tessarin
