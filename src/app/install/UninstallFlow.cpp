#include "install/UninstallFlow.h"

#include "organise/Archiver.h"
#include "session/Uninstaller.h"

namespace tessarin {

void UninstallFlow::uninstallRequested() {
    Config config;
    try {
        config = parts_.store.loadConfig();
    } catch (...) {
        config = makeDefaultConfig();
    }
    const UninstallQuestion question =
        uninstallQuestion(config, parts_.paths, parts_.installation.removalStep());
    parts_.alerts.show({AlertSpec::Style::warning,
                        QString::fromStdString(question.message),
                        QString::fromStdString(question.informative),
                        {QStringLiteral("Bring My Desktops Back & Uninstall"), QStringLiteral("Cancel")},
                        [this](int button) {
                            if (button != 0 || refusedWhileBusy())
                                return;
                            parts_.log.log(LogCategory::app, LogLevel::error,
                                           "uninstall requested from Settings");
                            handBackDesktops();
                            removeProgramThenQuit();
                        }});
}

void UninstallFlow::appMovedToTrash() {
    if (parts_.updateInstalling()) {
        parts_.log.log(LogCategory::app,
                       "bundle moved to the Trash during an update — not an uninstall, ignoring");
        return;
    }
    parts_.log.log(LogCategory::app, "app bundle moved to the Trash");
    const std::string store = parts_.paths.root.filename().string();
    parts_.alerts.show(
        {AlertSpec::Style::warning,
         QStringLiteral("Removing Tessarin?"),
         QStringLiteral(
             "Tessarin was just moved to the Trash. Want your desktops placed back on the Desktop first? "
             "Each becomes a normal folder there. If you skip this, they ") +
             QStringLiteral("stay in “") + QString::fromStdString(store) +
             QStringLiteral("” in your home folder."),
         {QStringLiteral("Bring My Desktops Back"), QStringLiteral("Leave Everything As Is")},
         [this](int button) {
             if (button != 0 || refusedWhileBusy())
                 return;
             handBackDesktops();
             parts_.quit();
         }});
}

bool UninstallFlow::refusedWhileBusy() {
    if (!parts_.busy())
        return false;
    parts_.alerts.show({AlertSpec::Style::warning,
                        QStringLiteral("Can't do that"),
                        QString::fromUtf8(Archiver::busyText),
                        {QStringLiteral("OK")},
                        {}});
    return true;
}

void UninstallFlow::handBackDesktops() {
    if (parts_.stopDesktopWatcher)
        parts_.stopDesktopWatcher();
    Uninstaller(parts_.paths, parts_.store, parts_.log).restoreDesksToDesktop();
    try {
        parts_.autostart.turnOff();
    } catch (const AutostartError&) {
    }
}

void UninstallFlow::removeProgramThenQuit() {
    switch (parts_.installation.removalStep()) {
    case RemovalStep::revealProgram:
        parts_.reveal(parts_.installation.appImage);
        parts_.quit();
        return;
    case RemovalStep::removePackage:
    case RemovalStep::removeInstalledFiles:
        parts_.alerts.show({AlertSpec::Style::informational,
                            QStringLiteral("Your desktops are back on your Desktop"),
                            QString::fromStdString(parts_.installation.removalInstructions()),
                            {QStringLiteral("OK")},
                            [this](int) { parts_.quit(); }});
        return;
    case RemovalStep::none:
        parts_.quit();
        return;
    }
}

} // namespace tessarin
