#pragma once

#include "tray/DBusMenuExporter.h"
#include "tray/HostScrollSteps.h"
#include "tray/StatusItem.h"

#include <QDBusAbstractAdaptor>
#include <QDBusConnection>
#include <QDBusObjectPath>

namespace tessarin {

// The icon as an org.kde.StatusNotifierItem of our own at /StatusNotifierItem, with the menu exported
// through com.canonical.dbusmenu. Registered with org.kde.StatusNotifierWatcher; the host calls
// Activate (a primary click), ContextMenu, SecondaryActivate and Scroll.
class SniStatusItem : public StatusItem {
    Q_OBJECT
public:
    static constexpr const char* objectPath = "/StatusNotifierItem";
    static constexpr const char* watcherService = "org.kde.StatusNotifierWatcher";
    // The sizes of the icon images handed to the host.
    static constexpr int iconSizes[] = {16, 22, 24, 32, 48, 64};

    // `menuOnClick`: a plain click shows the exported menu, drawn by the panel (ItemIsMenu). Where the
    // agent cannot open a menu of its own on a click it did not receive (Wayland), that is the only
    // way a click opens the menu; Alt-click then does what a click does.
    explicit SniStatusItem(QDBusConnection bus, bool menuOnClick = false, QObject* parent = nullptr);
    ~SniStatusItem() override;

    void setGlyph(const BarLengths& widths, const BarLengths& radii) override;
    void setMenu(const StatusMenuModel& model) override;
    QPoint menuPosition() const override { return lastClick_; }
    const char* protocol() const override { return "StatusNotifierItem"; }

    // Tells the watcher about the item (again after the watcher restarted). False when it refused.
    bool registerWithWatcher();
    const QList<SniIconPixmap>& iconPixmaps() const { return pixmaps_; }
    const QString& toolTipTitle() const { return toolTip_; }
    bool menuOnClick() const { return menuOnClick_; }

    // Called by the adaptor.
    void activate(int x, int y);
    void contextMenu(int x, int y);
    void scroll(int delta, const QString& orientation);

signals:
    void iconChanged();
    void toolTipChanged();

private:
    QDBusConnection bus_;
    QString serviceName_;
    DBusMenuExporter menu_;
    QList<SniIconPixmap> pixmaps_;
    QString toolTip_ = QStringLiteral("Tessarin");
    HostScrollSteps steps_;
    QPoint lastClick_;
    bool menuOnClick_ = false;
    bool exported_ = false;
};

class StatusNotifierItemAdaptor : public QDBusAbstractAdaptor {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.StatusNotifierItem")
    Q_PROPERTY(QString Category READ category)
    Q_PROPERTY(QString Id READ id)
    Q_PROPERTY(QString Title READ title)
    Q_PROPERTY(QString Status READ status)
    Q_PROPERTY(int WindowId READ windowId)
    Q_PROPERTY(QString IconThemePath READ empty)
    Q_PROPERTY(QString IconName READ empty)
    Q_PROPERTY(QList<tessarin::SniIconPixmap> IconPixmap READ iconPixmap)
    Q_PROPERTY(QString OverlayIconName READ empty)
    Q_PROPERTY(QList<tessarin::SniIconPixmap> OverlayIconPixmap READ noPixmaps)
    Q_PROPERTY(QString AttentionIconName READ empty)
    Q_PROPERTY(QList<tessarin::SniIconPixmap> AttentionIconPixmap READ noPixmaps)
    Q_PROPERTY(QString AttentionMovieName READ empty)
    Q_PROPERTY(tessarin::SniToolTip ToolTip READ toolTip)
    Q_PROPERTY(bool ItemIsMenu READ itemIsMenu)
    Q_PROPERTY(QDBusObjectPath Menu READ menu)
public:
    explicit StatusNotifierItemAdaptor(SniStatusItem* item);

    QString category() const { return QStringLiteral("ApplicationStatus"); }
    QString id() const { return QStringLiteral("com.orrinvale.Tessarin"); }
    QString title() const { return QStringLiteral("Tessarin"); }
    QString status() const { return QStringLiteral("Active"); }
    int windowId() const { return 0; }
    QString empty() const { return {}; }
    QList<SniIconPixmap> iconPixmap() const { return item_->iconPixmaps(); }
    QList<SniIconPixmap> noPixmaps() const { return {}; }
    SniToolTip toolTip() const;
    // Clicks come to us (Activate) so that Alt-click can run the carousel and we open the menu
    // ourselves, except where only the panel can open it.
    bool itemIsMenu() const { return item_->menuOnClick(); }
    QDBusObjectPath menu() const {
        return QDBusObjectPath(QString::fromLatin1(DBusMenuExporter::objectPath));
    }

public slots:
    void Activate(int x, int y) { item_->activate(x, y); }
    void SecondaryActivate(int x, int y) { item_->contextMenu(x, y); }
    void ContextMenu(int x, int y) { item_->contextMenu(x, y); }
    void Scroll(int delta, const QString& orientation) { item_->scroll(delta, orientation); }

signals:
    void NewTitle();
    void NewIcon();
    void NewAttentionIcon();
    void NewOverlayIcon();
    void NewToolTip();
    void NewStatus(const QString& status);

private:
    SniStatusItem* item_;
};

} // namespace tessarin
