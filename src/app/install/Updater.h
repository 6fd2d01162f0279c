#pragma once

#include "alerts/Alerts.h"
#include "appimage/AppImageUpdateTool.h"
#include "freedesktop/Installation.h"
#include "install/UpdaterCoordinator.h"

#include <QObject>
#include <functional>
#include <memory>
#include <string>

namespace tessarin {

// How the program is updated. A package install is updated by the package manager and a development
// run not at all: no updater, no menu item. An AppImage run is updated through appimageupdatetool when
// it is installed: "Check for Updates…" asks it, and the update is installed through the coordinator
// (never during a switch), then the program reopens.
class Updater : public QObject {
    Q_OBJECT
public:
    struct Parts {
        Installation installation;
        UpdaterCoordinator& coordinator;
        Alerts& alerts;
        std::function<void(const std::string& line)> log;
        std::function<void(const std::filesystem::path& program)> relaunch; // starts it, then quits
    };
    // `tool`: appimageupdatetool's path, none when it is not installed.
    Updater(Parts parts, std::optional<std::filesystem::path> tool, QObject* parent = nullptr);

    // Whether "Check for Updates…" is in the menu.
    bool offersUpdates() const { return tool_ != nullptr; }
    // What the launch log line says after "Updater: ".
    std::string description() const;

    // The menu item: check, offer the update, install it once idle, reopen.
    void checkForUpdates();

private:
    void offerUpdate();
    void install();

    Parts parts_;
    bool toolInstalled_ = false;
    std::unique_ptr<AppImageUpdateTool> tool_;
};

} // namespace tessarin
