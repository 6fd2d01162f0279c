#pragma once

#include <QAbstractNativeEventFilter>
#include <QObject>
#include <cstdint>

namespace tessarin {

// Tells when an XEmbed tray manager takes the _NET_SYSTEM_TRAY_S0 selection: a tray manager
// announces itself with a MANAGER client message on the root window. Does nothing outside X11.
class XEmbedTrayWatcher : public QObject, public QAbstractNativeEventFilter {
    Q_OBJECT
public:
    explicit XEmbedTrayWatcher(QObject* parent = nullptr);
    ~XEmbedTrayWatcher() override;

    // Starts listening; false outside X11.
    bool start();
    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

signals:
    void trayAppeared();

private:
    bool listening_ = false;
    uint32_t managerAtom_ = 0;
    uint32_t trayAtom_ = 0;
};

} // namespace tessarin
