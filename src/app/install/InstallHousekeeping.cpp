#include "install/InstallHousekeeping.h"

#include "store/StateStore.h"

namespace tessarin {

InstallHousekeeping::InstallHousekeeping(Parts parts, Installation installation,
                                         std::optional<std::filesystem::path> updateTool, QObject* parent)
    : QObject(parent), parts_(std::move(parts)), installation_(std::move(installation)),
      autostart_(parts_.configHome, installation_), coordinator_([this](const char* line) {
          parts_.log.log(LogCategory::app, "%{public}s", std::string(line));
      }),
      updater_({installation_, coordinator_, parts_.alerts,
                [this](const std::string& line) { parts_.log.log(LogCategory::app, "%{public}s", line); },
                [this](const std::filesystem::path& program) { relaunch(program); }},
               std::move(updateTool)),
      uninstall_({parts_.paths, parts_.store, parts_.log, parts_.alerts, autostart_, installation_,
                  parts_.busy, [this] { return coordinator_.installBegun(); }, parts_.stopDesktopWatcher,
                  parts_.reveal, parts_.quit}) {
    connect(&trashWatcher_, &TrashWatcher::trashed, this, &InstallHousekeeping::appMovedToTrash);
}

void InstallHousekeeping::launch() {
    offerToMoveToApplications();
    if (installation_.kind == InstallKind::appImage)
        trashWatcher_.start(installation_.appImage);
    coordinator_.start(parts_.busy);
}

void InstallHousekeeping::offerToMoveToApplications() {
    const InstallLocation location = InstallLocation::current(installation_, parts_.paths.home);
    const InstallSituation situation = location.situation();
    if (situation == InstallSituation::fine)
        return;
    Config config;
    try {
        config = parts_.store.loadConfig();
    } catch (...) {
        config = makeDefaultConfig();
    }
    if (config.settings.declinedMoveToApplications || offer_)
        return;
    parts_.log.log(LogCategory::app, "running from a poor location (%{public}s) — offering to relocate",
                   std::string(situationName(situation)));
    offer_ = new MoveToApplicationsWindow(
        situation, QString::fromStdString(location.sourceFolderName()),
        [this, location] {
            const auto moved = location.moveToApplications(files_, [this] { autostart_.turnOff(); });
            parts_.log.log(LogCategory::app, "relocated to %{public}s — relaunching", moved.string());
            relaunch(moved);
        },
        [this] {
            try {
                mutateConfig(parts_.store, [](Config& c) { c.settings.declinedMoveToApplications = true; });
            } catch (...) {
            }
        });
    offer_->setAttribute(Qt::WA_DeleteOnClose);
    offer_->show();
    offer_->raise();
    offer_->activateWindow();
}

void InstallHousekeeping::relaunch(const std::filesystem::path& program) {
    // The new copy waits for this one to leave (the single-instance handshake).
    if (!launchDetached(program))
        parts_.log.log(LogCategory::error, LogLevel::error, "relaunch after relocation failed: %{public}s",
                       std::string("the program could not be started"));
    parts_.quit();
}

} // namespace tessarin
