#pragma once

#include "tray/StatusItem.h"

#include <QSystemTrayIcon>

namespace tessarin {

// The icon in an XEmbed system tray (tint2, trayer, stalonetray, …) through QSystemTrayIcon. Wheel
// events over the icon reach the QSystemTrayIcon object and are caught with an event filter.
class XEmbedStatusItem : public StatusItem {
    Q_OBJECT
public:
    explicit XEmbedStatusItem(QObject* parent = nullptr);

    void setGlyph(const BarLengths& widths, const BarLengths& radii) override;
    QPoint menuPosition() const override;
    const char* protocol() const override { return "XEmbed"; }

    // Whether the session has an XEmbed tray at all.
    static bool available() { return QSystemTrayIcon::isSystemTrayAvailable(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QSystemTrayIcon icon_;
};

} // namespace tessarin
