#pragma once

#include "alerts/Alerts.h"
#include "freedesktop/AutostartEntry.h"
#include "freedesktop/TrashFileService.h"
#include "freedesktop/TrashWatcher.h"
#include "install/MoveToApplicationsWindow.h"
#include "install/UninstallFlow.h"
#include "install/Updater.h"
#include "install/UpdaterCoordinator.h"

#include <QObject>
#include <QPointer>
#include <functional>

namespace tessarin {

// The agent as an installed application: where it runs from, the autostart entry, the offer to leave
// the Downloads folder, the Trash watcher of an AppImage, uninstalling and updating.
class InstallHousekeeping : public QObject {
    Q_OBJECT
public:
    struct Parts {
        const Paths& paths;
        std::filesystem::path configHome; // XDG_CONFIG_HOME
        StateStore& store;
        Log& log;
        Alerts& alerts;
        std::function<bool()> busy;
        std::function<void()> stopDesktopWatcher; // may be empty
        std::function<void(const std::filesystem::path&)> reveal;
        std::function<void()> quit;
    };

    InstallHousekeeping(Parts parts, Installation installation,
                        std::optional<std::filesystem::path> updateTool, QObject* parent = nullptr);

    // For the launch log line "Updater: …".
    std::string updaterDescription() const { return updater_.description(); }
    // The end of the launch: the relocation offer, the Trash watcher, the update coordinator.
    void launch();

    bool offersUpdates() const { return updater_.offersUpdates(); }
    void checkForUpdates() { updater_.checkForUpdates(); }
    void uninstallRequested() { uninstall_.uninstallRequested(); }
    void appMovedToTrash() { uninstall_.appMovedToTrash(); }
    AutostartEntry& autostart() { return autostart_; }
    UpdaterCoordinator& coordinator() { return coordinator_; }
    const Installation& installation() const { return installation_; }

private:
    void offerToMoveToApplications();
    void relaunch(const std::filesystem::path& program);

    Parts parts_;
    Installation installation_;
    AutostartEntry autostart_;
    TrashFileService files_;
    UpdaterCoordinator coordinator_;
    Updater updater_;
    UninstallFlow uninstall_;
    TrashWatcher trashWatcher_;
    QPointer<MoveToApplicationsWindow> offer_;
};

} // namespace tessarin
