#pragma once

#include "settings/SettingsBridge.h"
#include "settings/SettingsFeatures.h"
#include "settings/SettingsSections.h"

#include <QObject>
#include <QPointer>
#include <memory>

namespace tessarin {

class CalendarWindow;
class CreationSheet;
class SettingsWindow;

// The settings model and the windows over it — the settings window, the cleanup calendar and the
// creation sheet — made on first use and kept until the agent ends. The controller opens them from its
// menu, hot keys and control interface, and tells them when the document changed elsewhere.
class SettingsWindows : public QObject {
    Q_OBJECT
public:
    struct Parts {
        SettingsDependencies model;
        const ScreenshotFilter* screenshots = nullptr;
        // The controller's side of the model: re-arm, sort now, the dock, switch, preview, uninstall, busy.
        SettingsCallbacks callbacks;
        SettingsFeatures features;
        std::function<void(const std::filesystem::path&)> revealFolder;
        std::function<std::string(const Config&)> diagnostics;
        std::function<std::optional<std::string>()> desktopSyncClient;
        QString version;
    };

    explicit SettingsWindows(Parts parts, QObject* parent = nullptr);
    ~SettingsWindows() override;

    // "Settings…": shows the settings window, on `section` when given.
    void openSettings(std::optional<SettingsSectionId> section = std::nullopt);
    // "Cleanup calendar".
    void openCalendar();
    // "New desktop…": a fresh creation sheet near the top right of the screen.
    void newDesktop();
    // The document changed elsewhere: the model and every open window follow.
    void reload();
    // Brings the open windows forward (a second start of the agent asked for it).
    void raiseOpen();

    // The model, made on first use.
    SettingsModel& model();
    bool hasModel() const { return model_ != nullptr; }
    SettingsWindow* settingsWindow() const;
    CalendarWindow* calendarWindow() const;
    CreationSheet* creationSheet() const;

private:
    SettingsBridge& bridge();

    Parts parts_;
    std::unique_ptr<SettingsModel> model_;
    std::unique_ptr<SettingsBridge> bridge_;
    QPointer<SettingsWindow> settings_;
    QPointer<CalendarWindow> calendar_;
    QPointer<CreationSheet> sheet_;
};

} // namespace tessarin
