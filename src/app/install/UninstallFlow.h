#pragma once

#include "alerts/Alerts.h"
#include "freedesktop/AutostartEntry.h"
#include "freedesktop/Installation.h"
#include "store/Paths.h"
#include "store/StateStore.h"
#include "support/Log.h"

#include <QObject>
#include <functional>

namespace tessarin {

// The two ways the program hands the desktops back before it goes: the settings window's uninstall
// button (asks first, then shows how to remove the program) and the AppImage moved to the Trash (offers
// to bring the desktops back). Both stop the Desktop watcher, restore every live desktop onto the
// Desktop, remove the autostart entry and end the program.
class UninstallFlow : public QObject {
    Q_OBJECT
public:
    struct Parts {
        const Paths& paths;
        StateStore& store;
        Log& log;
        Alerts& alerts;
        AutostartEntry& autostart;
        Installation installation;
        std::function<bool()> busy;                               // a switch runs or a journal waits
        std::function<bool()> updateInstalling;                   // the updater replaces the program's file
        std::function<void()> stopDesktopWatcher;                 // may be empty
        std::function<void(const std::filesystem::path&)> reveal; // shows a file in the file manager
        std::function<void()> quit;
    };

    explicit UninstallFlow(Parts parts, QObject* parent = nullptr)
        : QObject(parent), parts_(std::move(parts)) {}

    // The settings window's "Uninstall Tessarin…".
    void uninstallRequested();
    // The Trash watcher saw the AppImage go into the Trash.
    void appMovedToTrash();

private:
    // A switch is running or waits to be finished: says so and hands nothing back.
    bool refusedWhileBusy();
    // Stop the watcher, restore, remove the footprint.
    void handBackDesktops();
    void removeProgramThenQuit();

    Parts parts_;
};

} // namespace tessarin
