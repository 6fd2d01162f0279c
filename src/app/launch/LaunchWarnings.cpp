#include "launch/LaunchWarnings.h"

#include "freedesktop/SyncFolders.h"

namespace tessarin {

bool warnIfConfigFromNewerVersion(StateStore& store, Log& log, Alerts& alerts) {
    Config document;
    try {
        document = store.loadConfig();
    } catch (...) {
        return false;
    }
    if (document.schemaVersion <= Config::currentSchemaVersion)
        return false;
    log.log(LogCategory::error, LogLevel::error, "config.json schema %ld > %ld — read-only session",
            static_cast<long>(document.schemaVersion), static_cast<long>(Config::currentSchemaVersion));
    AlertSpec alert;
    alert.style = AlertSpec::Style::warning;
    alert.message = QStringLiteral("This copy of Tessarin is older than your data");
    alert.informative = QStringLiteral(
        "Your desktops were last managed by a newer version of Tessarin. Your files and settings are safe "
        "and "
        "untouched — but switching and changes are paused until you run the newer version again (or update "
        "this one).");
    alerts.show(std::move(alert));
    return true;
}

void warnIfSyncedDesktop(StateStore& store, const Paths& paths, const std::filesystem::path& configHome,
                         Alerts& alerts) {
    Config document;
    try {
        document = store.loadConfig();
    } catch (...) {
        document = makeDefaultConfig();
    }
    if (!document.settings.warnICloudDesktop)
        return;
    const auto synced = syncClientOfDesktop(paths.desktop, paths.home, configHome);
    if (!synced)
        return;
    const QString client = QString::fromStdString(synced->client);
    AlertSpec alert;
    alert.message = client + QStringLiteral(" Desktop sync is on");
    alert.informative = QStringLiteral("Tessarin works best with the Desktop outside your ") + client +
                        QStringLiteral(" folder — with it synced, switching may fight ") + client +
                        QStringLiteral(".");
    alerts.show(std::move(alert));
}

} // namespace tessarin
