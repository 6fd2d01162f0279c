#include "tray/TrayHost.h"

#include "tray/SniStatusItem.h"
#include "tray/XEmbedStatusItem.h"

#include <QDBusConnectionInterface>
#include <QGuiApplication>

namespace tessarin {

TrayHost::TrayHost(QDBusConnection bus, Note note, QObject* parent)
    : QObject(parent), bus_(std::move(bus)), note_(std::move(note)) {
    watcher_.setConnection(bus_);
    watcher_.addWatchedService(QString::fromLatin1(SniStatusItem::watcherService));
    watcher_.setWatchMode(QDBusServiceWatcher::WatchForRegistration |
                          QDBusServiceWatcher::WatchForUnregistration);
    connect(&watcher_, &QDBusServiceWatcher::serviceRegistered, this, [this] { useStatusNotifierItem(); });
    connect(&watcher_, &QDBusServiceWatcher::serviceUnregistered, this, [this] { useXEmbedOrWait(); });
    // Queued: Qt's own tray tracking sees the announcement first.
    connect(
        &xembedTrays_, &XEmbedTrayWatcher::trayAppeared, this,
        [this] {
            if (!item_)
                useXEmbedOrWait();
        },
        Qt::QueuedConnection);
    connect(&menu_, &StatusMenuView::chosen, this, &TrayHost::chosen);
    noTrayGrace_.setSingleShot(true);
    noTrayGrace_.setInterval(noTrayGraceMs);
    connect(&noTrayGrace_, &QTimer::timeout, this, [this] {
        saidNoTray_ = true;
        emit noTrayFound();
    });
}

TrayHost::~TrayHost() = default;

void TrayHost::start() {
    const bool watcher =
        bus_.isConnected() && bus_.interface() &&
        bus_.interface()->isServiceRegistered(QString::fromLatin1(SniStatusItem::watcherService));
    if (watcher)
        useStatusNotifierItem();
    else
        useXEmbedOrWait();
}

void TrayHost::useStatusNotifierItem() {
    if (auto* current = dynamic_cast<SniStatusItem*>(item_.get())) {
        current->registerWithWatcher(); // a watcher that restarted forgot us
        return;
    }
    // A Wayland compositor opens no menu of ours on a click we did not receive: the panel draws it.
    const bool menuOnClick = QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
    auto item = std::make_unique<SniStatusItem>(bus_, menuOnClick);
    if (!item->registerWithWatcher()) {
        if (note_)
            note_("the StatusNotifierWatcher refused the tray item; using the XEmbed tray");
        if (!item_)
            useXEmbedOrWait();
        return;
    }
    adopt(std::move(item));
}

void TrayHost::useXEmbedOrWait() {
    if (XEmbedStatusItem::available()) {
        adopt(std::make_unique<XEmbedStatusItem>());
        return;
    }
    item_.reset();
    xembedTrays_.start();
    if (note_)
        note_(
            "no tray to show the icon in: no StatusNotifierWatcher and no XEmbed tray (_NET_SYSTEM_TRAY_S0); "
            "waiting for one");
    if (!saidNoTray_ && !noTrayGrace_.isActive())
        noTrayGrace_.start();
}

void TrayHost::adopt(std::unique_ptr<StatusItem> item) {
    noTrayGrace_.stop();
    item_.reset(); // the old icon leaves the panel before the new one arrives
    item_ = std::move(item);
    item_->setGlyph(widths_, radii_);
    item_->setMenu(menu_.model());
    connect(item_.get(), &StatusItem::clicked, this, &TrayHost::clicked);
    connect(item_.get(), &StatusItem::contextClicked, this, &TrayHost::popUpMenu);
    connect(item_.get(), &StatusItem::scrolled, this, &TrayHost::scrolled);
    connect(item_.get(), &StatusItem::menuEntryChosen, this, &TrayHost::chosen);
    if (note_)
        note_(std::string("tray icon shown through ") + item_->protocol());
}

void TrayHost::setGlyph(const BarLengths& widths, const BarLengths& radii) {
    widths_ = widths;
    radii_ = radii;
    if (item_)
        item_->setGlyph(widths, radii);
}

void TrayHost::setMenu(const StatusMenuModel& model) {
    menu_.show(model);
    if (item_)
        item_->setMenu(model);
}

void TrayHost::popUpMenu() {
    if (item_)
        menu_.popUp(item_->menuPosition());
}

} // namespace tessarin
