#include "AppController.h"

#include "control/ControlProtocol.h"
#include "cycle/Carousel.h"
#include "freedesktop/AutostartEntry.h"
#include "freedesktop/GnomeHotCorners.h"
#include "freedesktop/LinuxScreenshotServices.h"
#include "freedesktop/SyncFolders.h"
#include "freedesktop/SystemAppearance.h"
#include "iconhost/AutomationPermission.h"
#include "launch/LaunchWarnings.h"
#include "session/StoreStartup.h"
#include "settings/widgets/EmbeddedRecorder.h"
#include "support/SupportContact.h"

#include <QApplication>
#include <QDBusConnectionInterface>
#include <QScreen>
#include <QTimer>
#include <algorithm>

namespace tessarin {

namespace {

// The main screen in logical pixels, which screenshots of the whole screen measure.
SweepCanvas mainScreenCanvas() {
    SweepCanvas canvas;
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        canvas.width = screen->size().width();
        canvas.height = screen->size().height();
    }
    return canvas;
}

} // namespace

AppController::AppController(AgentEnvironment environment, QObject* parent)
    : QObject(parent), env_(std::move(environment)),
      tray_(env_.sessionBus,
            [this](const std::string& line) { env_.log.log(LogCategory::app, "%{public}s", line); }),
      fileSurface_(env_.paths.desktop, env_.paths.workspaces), iconHosts_(env_.paths.desktop, env_.log),
      surface_(
          fileSurface_, [this]() -> IconHost& { return iconHosts_.current(); }, env_.log),
      store_(env_.paths.config, env_.paths.journal), swapper_(surface_, store_),
      archiver_(store_, env_.paths, files_, env_.clock, env_.log),
      screenshots_(linuxScreenshotServices(), env_.paths.home, env_.paths.desktop),
      sweeps_(surface_, store_, env_.log, screenshots_, mainScreenCanvas),
      opener_(env_.sessionBus, [this](const std::filesystem::path& folder,
                                      const std::string& reason) { folderNotOpened(folder, reason); }),
      onScreen_(store_, env_.log, env_.clock, makeOverlayWindowing(env_.log),
                std::make_unique<SystemAppearance>(
                    env_.sessionBus, env_.log, qEnvironmentVariable("XDG_CURRENT_DESKTOP").toStdString())),
      observer_(env_.paths, store_, alerts_, opener_,
                {[this] { rebuildMenu(); }, [this] { settingsWindows_.reload(); },
                 [this](MenuBarAnimation style) { menuBarIcon_.playSwitch(style); },
                 [this] { desktopWatcher_.pause(); },
                 [this] {
                     spaces_.adoptCurrentSpace();
                     reloadFloatingDock();
                     desktopWatcher_.resume();
                 },
                 [this](const AppSettings& settings) { onScreen_.startCover(settings); },
                 [this](const Config& document, const std::string& target) {
                     onScreen_.updateCueOverlay(target);
                     onScreen_.applyAppearance(target, document);
                 },
                 [this](SwitchTransition transition, const std::string& target,
                        std::chrono::steady_clock::time_point coverStart) {
                     onScreen_.revealWhenSettled(transition, target, coverStart);
                 }}),
      sequence_(store_, swapper_, env_.log, env_.clock, &observer_),
      scroller_([this] { return readOrFallback(); },
                [this](const std::string& name) { performSwitch(name, true); }),
      sweepTriggers_(
          store_, sweeps_, [this] { return busy(); }, [this] { afterStoreChange(); }),
      dockDrop_(
          store_, surface_, env_.log, env_.paths.desktop, [this] { return busy(); },
          [this] { afterStoreChange(); }),
      notifier_(env_.sessionBus, env_.clock), noTrayNotice_(env_.sessionBus, alerts_),
      scheduler_([this] { schedulerTick(); }), display_(env_.sessionBus), hotKeys_(display_.keys()),
      spaces_(display_.spaces(), [this](const std::string& spaceId) { return handleSpaceSettled(spaceId); }),
      desktopWatcher_(env_.paths.desktop, [this] { onDesktopChanged(); }),
      dock_(display_.windowManager(), display_.spaces()), cornerWatcher_(display_.pointerMotion()),
      systemHotCorners_(systemHotCornersForSession()),
      dockControl_(dock_, {[this] { showFloatingDock(); }, [this] { hideFloatingDock(); },
                           [this] { toggleFloatingDock(); }}),
      lock_(env_.paths.root, "tessarin"),
      runner_(env_.paths, {env_.log, env_.clock, store_, surface_, swapper_, sequence_, sweeps_, archiver_}),
      commands_({store_, sequence_,
                 [this] {
                     StoreStartup startup(env_.paths, store_, surface_, env_.log, env_.clock);
                     startup.recover(swapper_);
                     rebuildMenu();
                 },
                 [this] { return launched_; }, [this] { activate(); },
                 [this](const std::vector<std::string>& args, bool json) {
                     CommandResult result = runner_.run(args, json);
                     if (result.endsAgent) // after the reply has gone out
                         QTimer::singleShot(0, this, &AppController::quit);
                     return result;
                 },
                 [this] { configChanged(); }}),
      control_(commands_, QString::fromStdString(env_.paths.root.string())),
      instance_(env_.sessionBus, QString::fromLatin1(control::busName), lock_, env_.log),
      install_({env_.paths, env_.configHome, store_, env_.log, alerts_, [this] { return busy(); },
                [this] { desktopWatcher_.stop(); },
                [this](const std::filesystem::path& file) { opener_.reveal(file); }, [this] { quit(); }},
               Installation::current(), AppImageUpdateTool::find()),
      settingsWindows_(settingsParts()) {
    runner_.setBeforeUninstall([this] { desktopWatcher_.stop(); });
    sequence_.setSweeps(&sweeps_);
    // The cover stays until the icon host shows the arrived icons where they were asked to go.
    onScreen_.setIconsSettled(env_.hooks.iconsSettled
                                  ? env_.hooks.iconsSettled
                                  : IconsSettled([this](const std::string&, const IconPositions&) {
                                        return surface_.placementSettled();
                                    }));
    connect(&tray_, &TrayHost::clicked, this, &AppController::statusItemClicked);
    connect(&tray_, &TrayHost::scrolled, this, [this](const ScrollInput& input) {
        if (readOrFallback().settings.scrollToCycle)
            scroller_.handle(input);
    });
    connect(&tray_, &TrayHost::chosen, this, &AppController::menuEntryChosen);
    connect(&tray_, &TrayHost::noTrayFound, &noTrayNotice_, &NoTrayNotice::tell);
    connect(&hotKeys_, &HotKeyCenter::keyboardChanged, this, [this] {
        env_.log.log(LogCategory::app, "keyboard layout changed; shortcuts taken again");
        rebuildMenu();
    });
    runner_.setDock(&dockControl_);
    runner_.setTriggers(
        {&display_.keyboard(), &display_.spaces(), [this] { return hotKeys_.canFire(); },
         [this](const HotKeySpec& spec) { return std::optional<bool>(hotKeys_.isRegistered(spec)); }});
}

AppController::~AppController() = default;

SettingsFeatures AppController::settingsFeatures() {
    SettingsFeatures features = env_.hooks.settingsFeatures;
    features.shortcutText = [this](const HotKeySpec& spec) { return shortcutText(spec, keyNames()); };
    features.keyRecorder = embeddedKeyRecorder(features.shortcutText, hotKeys_);
    features.hotKeysAvailable = [this] { return hotKeys_.canFire(); };
    features.workspaces = &spaces_.identifier();
    features.cornerOccupant = [this](FloatingDockCorner corner) {
        return systemHotCorners_->occupant(corner);
    };
    features.iconHost = [this] {
        AutomationPermission permission(iconHosts_);
        IconHostState state;
        const bool granted = permission.status() == AutomationPermission::Status::granted;
        state.hostName = permission.hostName();
        state.status = granted                  ? IconHostState::Status::granted
                       : state.hostName.empty() ? IconHostState::Status::undetermined
                                                : IconHostState::Status::denied;
        return state;
    };
    // An entry left from an installed run can still be removed from a development one.
    features.launchAtLogin = {
        [this] { return install_.autostart().available() || install_.autostart().isOn(); },
        [this] { return install_.autostart().isOn(); },
        [this](bool on) -> std::optional<std::string> {
            try {
                install_.autostart().set(on);
            } catch (const AutostartError& e) {
                return e.what();
            }
            return std::nullopt;
        }};
    return features;
}

SettingsWindows::Parts AppController::settingsParts() {
    SettingsCallbacks callbacks;
    callbacks.onChange = [this] { configChanged(); };
    callbacks.onSweepNow = [this] { sweepActiveDesktopNow(); };
    callbacks.onShowFloatingDock = [this] { toggleFloatingDock(); };
    callbacks.onSwitch = [this](const std::string& name) { performSwitch(name, true); };
    callbacks.onPreviewTransition = [this] { previewTransition(); };
    callbacks.onUninstall = [this] { uninstallRequested(); };
    callbacks.isBusy = [this] { return busy(); };
    return {SettingsDependencies{store_, env_.paths, files_, env_.clock, &archiver_},
            &screenshots_,
            std::move(callbacks),
            settingsFeatures(),
            [this](const std::filesystem::path& folder) { opener_.open(folder); },
            [this](const Config& document) {
                bool journalPending = false;
                try {
                    journalPending = store_.loadJournal().has_value();
                } catch (...) {
                }
                const SupportContact support(ProductInfo::current(), env_.paths.root, env_.log);
                return support.diagnostics(document, journalPending);
            },
            [this]() -> std::optional<std::string> {
                if (const auto synced =
                        syncClientOfDesktop(env_.paths.desktop, env_.paths.home, env_.configHome))
                    return synced->client;
                return std::nullopt;
            },
            QString::fromStdString(env_.version)};
}

Config AppController::readOrFallback() {
    try {
        return store_.loadConfig();
    } catch (...) {
        return makeDefaultConfig();
    }
}

bool AppController::start() {
    // The entry point said why when there is no bus; the single-instance handshake needs one.
    if (!env_.sessionBus.isConnected() || !env_.sessionBus.interface())
        return false;
    try {
        checkDesktopLocation(env_.paths);
    } catch (const std::exception& e) {
        env_.log.log(LogCategory::error, LogLevel::error, "surfaced to the user: %{public}s",
                     std::string(e.what()));
        alerts_.show({AlertSpec::Style::critical,
                      QStringLiteral("Tessarin can't manage this Desktop folder"),
                      QString::fromStdString(e.what()),
                      {QStringLiteral("Quit")},
                      [](int) { QApplication::exit(1); }});
        return false;
    }
    try {
        lock_.prepare();
    } catch (const std::exception& e) {
        env_.log.log(LogCategory::error, LogLevel::error, "surfaced to the user: %{public}s",
                     std::string(e.what()));
        alerts_.show(
            {AlertSpec::Style::critical,
             QStringLiteral("Tessarin can't open its store"),
             QString::fromStdString(e.what()) +
                 QStringLiteral(". Tessarin keeps your desktops in \u201cTessarin Desktops\u201d in your "
                                "home folder and must be able to write there. Nothing was changed."),
             {QStringLiteral("Quit")},
             [](int) { QApplication::exit(1); }});
        return false;
    }
    // The object before the name: whoever finds the name finds the object.
    env_.sessionBus.registerObject(QString::fromLatin1(control::objectPath), &control_);
    instance_.start([this] { completeLaunch(); }, [] { QApplication::exit(0); });
    return true;
}

void AppController::completeLaunch() {
    env_.log.log(LogCategory::app, "Tessarin %{public}s launched", env_.version);
    env_.log.log(LogCategory::app, "Updater: %{public}s", install_.updaterDescription());
    sequence_.setReadOnly(warnIfConfigFromNewerVersion(store_, env_.log, alerts_));
    menuBarIcon_.install([this](const BarLengths& w, const BarLengths& r) { tray_.setGlyph(w, r); });
    tray_.start();
    configureFloatingDock();
    bootstrapAndRecover();
    if (!sequence_.readOnly()) {
        StoreStartup(env_.paths, store_, surface_, env_.log, env_.clock).stampActiveVisited();
        collapseAtStartupIfWanted();
    }
    if (!sequence_.readOnly())
        archiver_.fireDueTimers(env_.clock.now());
    reloadHotKeys();
    rebuildMenu();
    onScreen_.updateCueOverlay();
    scheduler_.start();
    scheduler_.observeWake(env_.systemBus);
    notifier_.sync(readOrFallback());
    refreshDesktopWatcher();
    refreshSpaceFollower();
    refreshCornerWatcher();
    env_.log.log(LogCategory::app, "global shortcuts: %{public}s; workspaces: %{public}s",
                 display_.keysBackend(), display_.spacesBackend());
    warnIfSyncedDesktop(store_, env_.paths, env_.configHome, alerts_);
    install_.launch();
    iconHosts_.current(); // logs the desktop-icon host found at launch
    launched_ = true;
}

void AppController::bootstrapAndRecover() {
    if (sequence_.readOnly())
        return; // nothing may be written: no bootstrap, no recovery
    StoreStartup startup(env_.paths, store_, surface_, env_.log, env_.clock);
    try {
        startup.bootstrapIfNeeded();
        startup.unusableRecords();
        startup.recover(swapper_);
    } catch (const std::exception& e) {
        present(e);
    }
}

void AppController::collapseAtStartupIfWanted() {
    const Config document = readOrFallback();
    const std::string blank(Config::blankWorkspaceName);
    if (!document.settings.startMinimized || document.activeWorkspace == blank ||
        !document.findWorkspace(blank))
        return;
    try {
        mutateConfig(store_, [](Config& c) { c.lastExpandedWorkspace = c.activeWorkspace; });
    } catch (...) {
    }
    performSwitch(blank, false);
}

void AppController::performSwitch(const std::string& target, bool userInitiated) {
    sequence_.performSwitch(target, userInitiated);
}

void AppController::toggleCollapse() {
    sequence_.toggleCollapse();
}
void AppController::switchToLastDesktop() {
    sequence_.switchToLastDesktop();
}
void AppController::cycle(int delta) {
    sequence_.cycle(delta);
}

void AppController::cycleOptionClick() {
    if (const auto target = carouselTarget(readOrFallback()))
        performSwitch(*target, true);
}

void AppController::statusItemClicked(bool optionHeld) {
    if (optionHeld)
        cycleOptionClick();
    else
        tray_.popUpMenu();
}

void AppController::rebuildMenu() {
    tray_.setMenu(buildStatusMenu(readOrFallback(), keyNames(), install_.offersUpdates()));
}

PrintableKeyName AppController::keyNames() {
    return [this](uint32_t keyCode) { return display_.keyboard().printableKeyName(keyCode); };
}

void AppController::configChanged() {
    if (readOrFallback().settings.menuBarAnimation == MenuBarAnimation::none)
        menuBarIcon_.resetToRest();
    reloadHotKeys();
    rebuildMenu();
    onScreen_.updateCueOverlay();
    notifier_.sync(readOrFallback());
    refreshDesktopWatcher();
    refreshSpaceFollower();
    settingsWindows_.reload();
    refreshCornerWatcher();
    reloadFloatingDock();
}

void AppController::reloadHotKeys() {
    hotKeys_.reload(readOrFallback().hotKeyAssignments(),
                    [this](const HotKeyAssignment::Owner& owner) { return hotKeyAction(owner); });
}

HotKeyCenter::Action AppController::hotKeyAction(const HotKeyAssignment::Owner& owner) {
    using Kind = HotKeyAssignment::Owner::Kind;
    // The windows' own commands go where their menu items go.
    const auto menuCommand = [this](MenuCommand command, const char* title) {
        return [this, command, title] {
            StatusMenuEntry entry;
            entry.command = command;
            entry.title = title;
            menuEntryChosen(entry);
        };
    };
    switch (owner.kind) {
    case Kind::workspace:
        return [this, name = owner.workspaceName] { performSwitch(name, true); };
    case Kind::cycleNext:
        return [this] { cycle(1); };
    case Kind::cyclePrevious:
        return [this] { cycle(-1); };
    case Kind::hideDesktop:
        return [this] { toggleCollapse(); };
    case Kind::switchToLast:
        return [this] { switchToLastDesktop(); };
    case Kind::openSettings:
        return menuCommand(MenuCommand::openSettings, "Settings…");
    case Kind::openCalendar:
        return menuCommand(MenuCommand::openCalendar, "Cleanup calendar");
    case Kind::sortNow:
        return [this] { sweepActiveDesktopNow(); };
    case Kind::floatingDock:
        return [this] { toggleFloatingDock(); };
    }
    return {};
}

void AppController::refreshDesktopWatcher() {
    const AppSettings s = readOrFallback().settings;
    const bool rules = std::any_of(s.customFilters.begin(), s.customFilters.end(),
                                   [](const CustomFilter& f) { return f.enabled && !f.pattern.empty(); });
    if (s.customFiltersEnabled && s.customFiltersWatch && rules)
        desktopWatcher_.start();
    else
        desktopWatcher_.stop();
}

void AppController::onDesktopChanged() {
    if (!sequence_.readOnly())
        sweepTriggers_.onDesktopChanged(); // does nothing while busy
}

void AppController::refreshSpaceFollower() {
    spaces_.refresh(readOrFallback().settings.followSpaces);
}

SpaceFollowResult AppController::handleSpaceSettled(const std::string& spaceId) {
    if (sequence_.isSwapping())
        return SpaceFollowResult::busy;
    if (busy() || sequence_.readOnly())
        return SpaceFollowResult::done; // a journal waits for recovery
    const Config document = readOrFallback();
    if (!document.settings.followSpaces)
        return SpaceFollowResult::done;
    const auto bound = document.workspaceBoundToSpace(spaceId);
    if (!bound || bound->name == document.activeWorkspace)
        return SpaceFollowResult::done;
    performSwitch(bound->name, true);
    return SpaceFollowResult::switched;
}

void AppController::previewTransition() {
    onScreen_.previewTransition();
}

void AppController::schedulerTick() {
    notifier_.deliverDue();
    if (sequence_.readOnly() || busy() || archiver_.fireDueTimers(env_.clock.now()).empty())
        return;
    afterStoreChange();
    notifier_.sync(readOrFallback());
}

void AppController::afterStoreChange() {
    rebuildMenu();
    settingsWindows_.reload();
    reloadFloatingDock();
}

void AppController::toggleScreenshotFilteringPause() {
    try {
        mutateConfig(store_, [](Config& c) {
            c.settings.screenshotFilteringPaused = !c.settings.screenshotFilteringPaused;
        });
    } catch (...) {
    }
    rebuildMenu();
    settingsWindows_.reload();
}

void AppController::sweepActiveDesktopNow() {
    if (sequence_.readOnly() || busy())
        return;
    sweepTriggers_.sweepActiveDesktopNow();
}

bool AppController::busy() {
    if (sequence_.isSwapping())
        return true;
    try {
        return store_.loadJournal().has_value();
    } catch (...) {
        return false; // an unreadable journal counts as none here
    }
}

void AppController::handleDockDrop(const std::vector<std::filesystem::path>& dropped,
                                   const std::string& target) {
    if (sequence_.readOnly())
        return;
    dockDrop_.handleDockDrop(dropped, target);
}

void AppController::menuEntryChosen(const StatusMenuEntry& entry) {
    if (!entry.command)
        return;
    switch (*entry.command) {
    case MenuCommand::switchWorkspace:
        performSwitch(entry.workspace, true);
        break;
    case MenuCommand::toggleCollapse:
        toggleCollapse();
        break;
    case MenuCommand::toggleScreenshotFilteringPause:
        toggleScreenshotFilteringPause();
        break;
    case MenuCommand::checkForUpdates:
        install_.checkForUpdates();
        break;
    case MenuCommand::quit:
        quit();
        break;
    case MenuCommand::toggleDock:
        toggleFloatingDock();
        break;
    case MenuCommand::newWorkspace:
        newWorkspace();
        break;
    case MenuCommand::openCalendar:
        openCalendar();
        break;
    case MenuCommand::openSettings:
        openSettings();
        break;
    }
}

void AppController::folderNotOpened(const std::filesystem::path& folder, const std::string& reason) {
    env_.log.log(LogCategory::error, "opening %{public}s failed: %{public}s", folder.string(), reason);
    alerts_.show({AlertSpec::Style::warning,
                  QStringLiteral("Couldn't open the folder"),
                  QStringLiteral("No file manager opened it. Open it yourself: \u201c") +
                      QString::fromStdString(folder.string()) + QStringLiteral("\u201d."),
                  {QStringLiteral("OK")},
                  {}});
}

void AppController::present(const std::exception& error) {
    env_.log.log(LogCategory::error, "surfaced to the user: %{public}s", std::string(error.what()));
    alerts_.showError(error);
}

void AppController::activate() {
    env_.log.log(LogCategory::app, "another copy of Tessarin asked this one to come forward");
    alerts_.raiseAll();
    settingsWindows_.raiseOpen();
}

void AppController::uninstallRequested() {
    install_.uninstallRequested();
}

void AppController::quit() {
    QApplication::quit();
}

} // namespace tessarin
