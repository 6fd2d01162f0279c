#pragma once

#include "Dialogs.h"
#include "hotkeys/HotKeyCenter.h"
#include "model/ShortcutText.h"
#include "none/NoGlobalKeys.h"
#include "settings/SettingsWindow.h"
#include "settings/SettingsWindows.h"
#include "settings/widgets/EmbeddedRecorder.h"
#include "support/ArchiveWorld.h"
#include "x11/XkbKeyboard.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>

namespace tessarin::test {

// Shortcut texts with the keys named in the US layout, as xkbcommon has it.
inline std::string usShortcutText(const HotKeySpec& spec) {
    static XkbKeyboard us;
    return shortcutText(spec, [](uint32_t key) { return us.printableKeyName(key); });
}

// The settings windows over a throwaway store (real folders, a Trash of its own, a manual clock at
// Sunday 1 March 2026 10:00 in Berlin) with the agent's key recorder, and what they ask of the agent
// recorded.
struct SettingsFixture : ArchiveWorld {
    std::vector<std::filesystem::path> revealed;
    int changes = 0;
    int sweeps = 0;
    NoGlobalKeys grabber;
    HotKeyCenter hotKeys{grabber};
    SettingsWindows windows;

    explicit SettingsFixture(SettingsFeatures features = {})
        : windows(SettingsWindows::Parts{
              SettingsDependencies{store, paths, files, clock, &archiver}, nullptr,
              SettingsCallbacks{
                  [this] { ++changes; }, [this] { ++sweeps; }, {}, {}, {}, {}, [] { return false; }},
              withRecorder(std::move(features), hotKeys),
              [this](const std::filesystem::path& folder) { revealed.push_back(folder); },
              [](const Config&) { return std::string("diagnostics report"); },
              [] { return std::optional<std::string>(); }, QStringLiteral("0.1.0")}) {}

    ~SettingsFixture() {
        // Dialogs and sheets belong to no window the fixture owns.
        for (QWidget* w : QApplication::topLevelWidgets())
            if (qobject_cast<QMessageBox*>(w))
                delete w;
    }

    static SettingsFeatures withRecorder(SettingsFeatures features, HotKeyCenter& keys) {
        features.shortcutText = usShortcutText;
        features.keyRecorder = embeddedKeyRecorder(usShortcutText, keys);
        return features;
    }

    static Workspace desktop(const std::string& name, WorkspaceType type = WorkspaceType::permanent) {
        return Workspace::make(name, type);
    }

    // Home (active), Work with a shortcut, two temporary desktops with timers, the screenshots desktop,
    // archived desktops (one overdue for cleanup), pins, a rule, the carousel and a stray folder.
    Config richDocument() {
        Workspace work = desktop("Work");
        work.hotkey = HotKeySpec{18, 0x80000 | 0x20000};
        Workspace projects = desktop("Projects", WorkspaceType::temporary);
        projects.timer = ArchiveTimer{ArchiveTimerMode::idle, 3};
        projects.clearMode = ClearMode::archive;
        projects.createdAt = berlin(2026, 2, 20, 9, 0, false);
        projects.lastActiveAt = berlin(2026, 2, 28, 16, 0, false);
        Workspace scratch = desktop("Scratch", WorkspaceType::temporary);
        scratch.timer = ArchiveTimer{ArchiveTimerMode::fixed, 5};
        scratch.clearMode = ClearMode::move;
        scratch.drainTarget = "Work";
        scratch.timerDrains = true;
        scratch.createdAt = berlin(2026, 3, 1, 8, 0, false);
        Workspace trip = desktop("Trip", WorkspaceType::temporary);
        trip.state = WorkspaceState::archivedUnsorted;
        trip.archivedAt = berlin(2026, 2, 20, 9, 0, false);
        trip.archiveLocation = (archive() / "Trip-2026-02-20").string();
        Workspace taxes = desktop("Taxes 2025", WorkspaceType::temporary);
        taxes.state = WorkspaceState::archivedUnsorted;
        taxes.archivedAt = berlin(2026, 2, 24, 9, 0, false);
        Config c = document({work, projects, scratch, desktop("Screenshots"), trip, taxes});
        c.settings.screenshotsWorkspace = "Screenshots";
        c.settings.filterScreenshots = true;
        c.settings.optionClickCarousel = {"Home", "Work"};
        c.settings.pinnedFolders = {"notes.txt", "Gone folder"};
        c.settings.customFiltersEnabled = true;
        c.settings.customFilters = {CustomFilter{Uuid::random(), true, "invoice", "Work"}};
        c.cleanupTasks = {CleanupTask{Uuid::random(), {"Trip"}, berlin(2026, 2, 25, 0, 0, false)},
                          CleanupTask{Uuid::random(), {"Taxes 2025"}, berlin(2026, 3, 5, 0, 0, false)}};
        store.saveConfig(c);
        for (const auto& name : {"Home", "Work", "Projects", "Scratch", "Screenshots", "Stray"})
            std::filesystem::create_directories(folder(name));
        std::filesystem::create_directories(archive() / "Trip-2026-02-20");
        put(paths.desktop / "notes.txt");
        put(folder("Work") / "plan.txt");
        if (windows.hasModel())
            windows.reload();
        return c;
    }

    SettingsWindow& openSettings(SettingsSectionId section) {
        windows.openSettings(section);
        return *windows.settingsWindow();
    }

    // Records a combination in a shortcut control as the user does: a click, then the keys. `xKeycode`
    // is the X keycode the server sends with the key (10 is the 1 key).
    static void record(QWidget* recorder, int key, quint32 xKeycode, Qt::KeyboardModifiers modifiers) {
        QMouseEvent click(QEvent::MouseButtonPress, QPointF(5, 5), recorder->mapToGlobal(QPointF(5, 5)),
                          Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(recorder, &click);
        QKeyEvent press(QEvent::KeyPress, key, modifiers, xKeycode, 0, 0);
        QApplication::sendEvent(recorder, &press);
    }
};

} // namespace tessarin::test
