#include "tray/TrayHost.h"

#include "tray/SniStatusItem.h"
#include "tray/XEmbedStatusItem.h"

#include <QDBusConnectionInterface>

namespace tessarin {

TrayHost::TrayHost(QDBusConnection bus, Note note, QObject* parent)
    : QObject(parent), bus_(std::move(bus)), note_(std::move(note)) {
    watcher_.setConnection(bus_);
    watcher_.addWatchedService(QString::fromLatin1(SniStatusItem::watcherService));
    watcher_.setWatchMode(QDBusServiceWatcher::WatchForRegistration |
                          QDBusServiceWatcher::WatchForUnregistration);
    connect(&watcher_, &QDBusServiceWatcher::serviceRegistered, this, [this] { useStatusNotifierItem(); });
    connect(&watcher_, &QDBusServiceWatcher::serviceUnregistered, this, [this] { useXEmbed(); });
    connect(&menu_, &StatusMenuView::chosen, this, &TrayHost::chosen);
}

TrayHost::~TrayHost() = default;

void TrayHost::start() {
    const bool watcher =
        bus_.isConnected() && bus_.interface() &&
        bus_.interface()->isServiceRegistered(QString::fromLatin1(SniStatusItem::watcherService));
    if (watcher)
        useStatusNotifierItem();
    else
        useXEmbed();
}

void TrayHost::useStatusNotifierItem() {
    if (auto* current = dynamic_cast<SniStatusItem*>(item_.get())) {
        current->registerWithWatcher(); // a watcher that restarted forgot us
        return;
    }
    auto item = std::make_unique<SniStatusItem>(bus_);
    if (!item->registerWithWatcher()) {
        if (note_)
            note_("the StatusNotifierWatcher refused the tray item; using the XEmbed tray");
        if (!item_)
            useXEmbed();
        return;
    }
    adopt(std::move(item));
}

void TrayHost::useXEmbed() {
    adopt(std::make_unique<XEmbedStatusItem>());
}

void TrayHost::adopt(std::unique_ptr<StatusItem> item) {
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
