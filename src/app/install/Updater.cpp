#include "install/Updater.h"

namespace tessarin {

Updater::Updater(Parts parts, std::optional<std::filesystem::path> tool, QObject* parent)
    : QObject(parent), parts_(std::move(parts)), toolInstalled_(tool.has_value()) {
    if (parts_.installation.kind != InstallKind::appImage || !tool)
        return;
    tool_ = std::make_unique<AppImageUpdateTool>(*tool, parts_.installation.appImage);
    connect(tool_.get(), &AppImageUpdateTool::checked, this,
            [this](AppImageUpdateTool::Check result, const QString& detail) {
                switch (result) {
                case AppImageUpdateTool::Check::upToDate:
                    parts_.alerts.show({AlertSpec::Style::informational,
                                        QStringLiteral("Tessarin is up to date"),
                                        QStringLiteral("You have the newest version of Tessarin."),
                                        {QStringLiteral("OK")},
                                        {}});
                    break;
                case AppImageUpdateTool::Check::updateAvailable:
                    offerUpdate();
                    break;
                case AppImageUpdateTool::Check::failed:
                    parts_.log("update check failed: " + detail.toStdString());
                    parts_.alerts.show({AlertSpec::Style::warning,
                                        QStringLiteral("Couldn’t check for updates"),
                                        detail,
                                        {QStringLiteral("OK")},
                                        {}});
                    break;
                }
            });
    connect(tool_.get(), &AppImageUpdateTool::updated, this, [this](bool ok, const QString& detail) {
        if (!ok) {
            parts_.log("update failed: " + detail.toStdString());
            parts_.alerts.show({AlertSpec::Style::warning,
                                QStringLiteral("The update didn’t install"),
                                detail + QStringLiteral("\nThis version of Tessarin keeps running."),
                                {QStringLiteral("OK")},
                                {}});
            return;
        }
        parts_.coordinator.markInstallBegun(); // about to reopen as the new version
        parts_.relaunch(parts_.installation.appImage);
    });
}

std::string Updater::description() const {
    switch (parts_.installation.kind) {
    case InstallKind::package:
        return "package manager";
    case InstallKind::appImage:
        return toolInstalled_ ? "appimageupdatetool" : "none (appimageupdatetool is not installed)";
    case InstallKind::prefix:
        return "none (installed from source in " + parts_.installation.prefix.string() + ")";
    case InstallKind::development:
        break;
    }
    return "none (development run)";
}

void Updater::checkForUpdates() {
    if (tool_ && !tool_->running())
        tool_->check();
}

void Updater::offerUpdate() {
    parts_.alerts.show(
        {AlertSpec::Style::informational,
         QStringLiteral("A new version of Tessarin is available"),
         QStringLiteral("Install it now? Tessarin reopens as the new version once it is installed."),
         {QStringLiteral("Install and Reopen"), QStringLiteral("Not Now")},
         [this](int button) {
             if (button == 0 && !parts_.coordinator.shouldPostponeInstall([this] { install(); }))
                 install();
         }});
}

void Updater::install() {
    parts_.coordinator.markInstallBegun();
    tool_->update();
}

} // namespace tessarin
