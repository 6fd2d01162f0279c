#include "settings/SettingsWindows.h"

#include "settings/SettingsWindow.h"
#include "settings/calendar/CalendarWindow.h"
#include "settings/sheet/CreationSheet.h"

namespace tessarin {

SettingsWindows::SettingsWindows(Parts parts, QObject* parent) : QObject(parent), parts_(std::move(parts)) {}

SettingsWindows::~SettingsWindows() {
    delete sheet_;
    delete calendar_;
    delete settings_;
}

SettingsWindow* SettingsWindows::settingsWindow() const {
    return settings_;
}

CalendarWindow* SettingsWindows::calendarWindow() const {
    return calendar_;
}

CreationSheet* SettingsWindows::creationSheet() const {
    return sheet_;
}

SettingsModel& SettingsWindows::model() {
    if (!model_) {
        model_ =
            std::make_unique<SettingsModel>(parts_.model, parts_.features.shortcutText, parts_.screenshots);
        model_->state.callbacks = parts_.callbacks;
        bridge_ = std::make_unique<SettingsBridge>(*model_);
    }
    return *model_;
}

SettingsBridge& SettingsWindows::bridge() {
    model();
    return *bridge_;
}

void SettingsWindows::openSettings(std::optional<SettingsSectionId> section) {
    bridge().reload();
    if (!settings_) {
        SectionActions actions{[this] { newDesktop(); }, [this] { openCalendar(); }, parts_.revealFolder,
                               parts_.diagnostics, parts_.desktopSyncClient};
        settings_ = new SettingsWindow(bridge(), parts_.features, std::move(actions), parts_.version);
    }
    if (section)
        settings_->select(*section);
    settings_->present();
}

void SettingsWindows::openCalendar() {
    bridge().reload();
    if (!calendar_)
        calendar_ = new CalendarWindow(bridge());
    calendar_->present();
}

void SettingsWindows::newDesktop() {
    bridge().reload();
    if (sheet_)
        sheet_->close(); // a sheet's state lives only as long as it is open
    sheet_ = new CreationSheet(bridge(), parts_.features);
    sheet_->placeNearMenuBar();
    sheet_->show();
    sheet_->raise();
    sheet_->activateWindow();
}

void SettingsWindows::reload() {
    if (bridge_)
        bridge_->reload();
}

void SettingsWindows::raiseOpen() {
    for (QWidget* w : {static_cast<QWidget*>(settings_.data()), static_cast<QWidget*>(calendar_.data()),
                       static_cast<QWidget*>(sheet_.data())})
        if (w && w->isVisible()) {
            w->raise();
            w->activateWindow();
        }
}

} // namespace tessarin
