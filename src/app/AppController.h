#pragma once

#include "alerts/Alerts.h"
#include "control/AgentCommands.h"
#include "control/ControlService.h"
#include "cycle/ScrollCycler.h"
#include "display/CornerWatcher.h"
#include "display/DisplayServices.h"
#include "dock/AgentDockControl.h"
#include "dock/FloatingDock.h"
#include "freedesktop/TrashFileService.h"
#include "hotkeys/HotKeyCenter.h"
#include "icon/MenuBarIconAnimator.h"
#include "iconhost/IconHostFinder.h"
#include "install/InstallHousekeeping.h"
#include "launch/SingleInstance.h"
#include "notify/ReminderNotifier.h"
#include "organise/Archiver.h"
#include "organise/DesktopSweeps.h"
#include "organise/ScreenshotFilter.h"
#include "scheduler/Scheduler.h"
#include "session/DockDrop.h"
#include "session/SweepTriggers.h"
#include "session/SwitchSequence.h"
#include "settings/SettingsWindows.h"
#include "spaces/SpaceFollowing.h"
#include "store/FileStateStore.h"
#include "store/StoreLock.h"
#include "support/Clock.h"
#include "support/Log.h"
#include "swap/DesktopSwapper.h"
#include "swap/FileSystemSurface.h"
#include "swap/IconHostSurface.h"
#include "switching/AgentSwitchObserver.h"
#include "switching/FolderOpener.h"
#include "switching/OnScreenSteps.h"
#include "tray/NoTrayNotice.h"
#include "tray/TrayHost.h"
#include "triggers/SystemHotCorners.h"
#include "watch/DesktopWatcher.h"

#include <QDBusConnection>
#include <QObject>
#include <functional>

namespace tessarin {

// Answers that replace the components' own, for tests; each stays empty in the agent.
struct AgentHooks {
    IconsSettled iconsSettled; // replaces the icon host's test before the cover's reveal
    // The starting point of what the settings windows show; the controller fills in its components.
    SettingsFeatures settingsFeatures;
};

// What the entry point hands the controller.
struct AgentEnvironment {
    Paths paths;
    std::filesystem::path configHome; // XDG_CONFIG_HOME
    Log& log;
    const Clock& clock;
    QDBusConnection sessionBus;
    QDBusConnection systemBus;
    std::string version;
    AgentHooks hooks;
};

// The agent's one central object: owns every component, runs the launch, every switch, cycling, the
// status menu, the scheduler and the control interface. Everything runs on the main thread.
class AppController : public QObject {
    Q_OBJECT
public:
    explicit AppController(AgentEnvironment environment, QObject* parent = nullptr);
    ~AppController() override;

    // The single-instance handshake, then the launch. Returns false when the agent cannot run at all:
    // without a session bus (the entry point says so), or with a Desktop it must not manage (an alert
    // says so and quits).
    bool start();

    void performSwitch(const std::string& target, bool userInitiated);
    void toggleCollapse();
    void switchToLastDesktop();
    void cycle(int delta);
    void cycleOptionClick();
    void statusItemClicked(bool optionHeld);
    void rebuildMenu();
    void configChanged();
    // The settings window's preview of the switch transition.
    void previewTransition();
    // Archives or drains the temporary desktops whose timers ran out; shows the reminders that are due.
    void schedulerTick();
    void toggleScreenshotFilteringPause();
    // Sort now: the sweeps over the active Desktop.
    void sweepActiveDesktopNow();
    // Files dropped on a desktop's tile of the floating dock.
    void handleDockDrop(const std::vector<std::filesystem::path>& dropped, const std::string& target);
    // The floating dock (AppControllerDock.cpp): shown or hidden by the menu, its shortcut, tessarinctl
    // and the hot corner; reloaded after every change of the document.
    void toggleFloatingDock();
    void showFloatingDock();
    void hideFloatingDock();
    void reloadFloatingDock();
    void refreshCornerWatcher();
    // The hot corner fired: hides a visible dock, else shows it (not over a full-screen window).
    void cornerTriggered();
    // Registers every assignment of the document with its owner's action, in the document's order.
    void reloadHotKeys();
    // Watches the Desktop while custom rules are on, set to watch, and have something to look for.
    void refreshDesktopWatcher();
    void refreshSpaceFollower();
    // A workspace settled: switch to the desktop bound to it, if that is not the active one.
    SpaceFollowResult handleSpaceSettled(const std::string& spaceId);
    // The Desktop watcher saw a change: sweep by the rules.
    void onDesktopChanged();
    // A key's name in the current keyboard layout, for shortcut texts.
    PrintableKeyName keyNames();
    // A switch is running or a journal waits for recovery.
    bool busy();
    void present(const std::exception& error);
    void quit();
    // The windows of the menu's "Settings…", "Cleanup calendar" and "New desktop…" (also their hot keys).
    void openSettings() { settingsWindows_.openSettings(); }
    void openCalendar() { settingsWindows_.openCalendar(); }
    void newWorkspace() { settingsWindows_.newDesktop(); }
    // The settings window's "Uninstall Tessarin…": asks, hands the desktops back, then quits.
    void uninstallRequested();

    bool launched() const { return launched_; }
    TrayHost& tray() { return tray_; }
    ReminderNotifier& notifier() { return notifier_; }
    HotKeyCenter& hotKeys() { return hotKeys_; }
    FloatingDock& floatingDock() { return dock_; }
    // The autostart entry, the updater, the uninstall and the Trash watcher.
    InstallHousekeeping& install() { return install_; }
    // The host shows the icons that arrived last where they were asked to go; the switch sequence's
    // settle poll reads it before it uncovers the Desktop.
    bool iconsSettled() { return surface_.placementSettled(); }
    OnScreenSteps& onScreen() { return onScreen_; }

private:
    void completeLaunch();
    void bootstrapAndRecover();
    void collapseAtStartupIfWanted();
    void menuEntryChosen(const StatusMenuEntry& entry);
    HotKeyCenter::Action hotKeyAction(const HotKeyAssignment::Owner& owner);
    void configureFloatingDock();
    void applyDockSettings(const Config& document);
    void showDock(const Config& document);
    bool fullScreenActive();
    void folderNotOpened(const std::filesystem::path& folder, const std::string& reason);
    void afterStoreChange();
    void activate();
    Config readOrFallback();
    SettingsWindows::Parts settingsParts();
    SettingsFeatures settingsFeatures();

    AgentEnvironment env_;
    TrayHost tray_;
    FileSystemSurface fileSurface_;
    IconHostFinder iconHosts_;
    IconHostSurface surface_;
    FileStateStore store_;
    DesktopSwapper swapper_;
    TrashFileService files_;
    Archiver archiver_;
    ScreenshotFilter screenshots_;
    DesktopSweeps sweeps_;
    MenuBarIconAnimator menuBarIcon_;
    Alerts alerts_;
    FolderOpener opener_;
    OnScreenSteps onScreen_;
    AgentSwitchObserver observer_;
    SwitchSequence sequence_;
    ScrollCycler scroller_;
    SweepTriggers sweepTriggers_;
    DockDrop dockDrop_;
    ReminderNotifier notifier_;
    NoTrayNotice noTrayNotice_;
    Scheduler scheduler_;
    DisplayServices display_;
    HotKeyCenter hotKeys_;
    SpaceFollowing spaces_;
    DesktopWatcher desktopWatcher_;
    FloatingDock dock_;
    CornerWatcher cornerWatcher_;
    std::unique_ptr<SystemHotCorners> systemHotCorners_;
    AgentDockControl dockControl_;
    StoreLock lock_;
    CommandRunner runner_;
    AgentCommands commands_;
    ControlService control_;
    SingleInstance instance_;
    InstallHousekeeping install_;
    SettingsWindows settingsWindows_;
    bool launched_ = false;
};

} // namespace tessarin
