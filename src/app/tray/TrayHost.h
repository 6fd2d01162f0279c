#pragma once

#include "menu/StatusMenuView.h"
#include "tray/StatusItem.h"
#include "x11/XEmbedTrayWatcher.h"

#include <QDBusConnection>
#include <QDBusServiceWatcher>
#include <QObject>
#include <QTimer>
#include <functional>
#include <memory>

namespace tessarin {

// Keeps the agent's icon in whatever panel the session has: our own StatusNotifierItem while an
// org.kde.StatusNotifierWatcher runs, the XEmbed tray otherwise, switching when the watcher comes or
// goes. With neither it says so once (noTrayFound), unless one appears within noTrayGraceMs (a panel
// that starts beside the agent at login), and takes up whichever appears first. Holds the status menu,
// which every protocol shows.
class TrayHost : public QObject {
    Q_OBJECT
public:
    using Note = std::function<void(const std::string& line)>;
    static constexpr int noTrayGraceMs = 3000;

    TrayHost(QDBusConnection bus, Note note, QObject* parent = nullptr);
    ~TrayHost() override;

    // Chooses the protocol and shows the icon.
    void start();
    void setGlyph(const BarLengths& widths, const BarLengths& radii);
    void setMenu(const StatusMenuModel& model);
    // Opens the status menu at the icon.
    void popUpMenu();

    StatusItem* item() const { return item_.get(); }
    // "StatusNotifierItem", "XEmbed" or "none".
    const char* protocol() const { return item_ ? item_->protocol() : "none"; }

signals:
    void clicked(bool optionHeld);
    void scrolled(const tessarin::ScrollInput& input);
    void chosen(const tessarin::StatusMenuEntry& entry);
    // The session has no tray at all; emitted once.
    void noTrayFound();

private:
    void useStatusNotifierItem();
    // The XEmbed tray when there is one; otherwise no icon until a tray appears.
    void useXEmbedOrWait();
    void adopt(std::unique_ptr<StatusItem> item);

    QDBusConnection bus_;
    Note note_;
    StatusMenuView menu_;
    QDBusServiceWatcher watcher_;
    XEmbedTrayWatcher xembedTrays_;
    std::unique_ptr<StatusItem> item_;
    QTimer noTrayGrace_;
    bool saidNoTray_ = false;
    BarLengths widths_ = glyph::restingWidths;
    BarLengths radii_ = glyph::restingRadii;
};

} // namespace tessarin
