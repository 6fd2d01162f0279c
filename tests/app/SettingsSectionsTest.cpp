// The sections' controls against a real store: each control runs its operation of the settings model;
// a refused one shows the model's text over the window and leaves both the document and the control
// as they were. The confirmations ask with their own texts and buttons before anything changes.
#include "SettingsFixture.h"
#include "model/ShortcutText.h"
#include "settings/calendar/CalendarWindow.h"
#include "settings/sheet/CreationSheet.h"
#include "support/Files.h"

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QToolButton>
#include <gtest/gtest.h>

using namespace tessarin;
using test::SettingsFixture;

namespace {

const HotKeySpec workKey{18, modifierBits::option | modifierBits::shift};

// Alt+Shift+1, the Work desktop's shortcut, typed into a shortcut control.
void recordWorkKey(QWidget* recorder) {
    SettingsFixture::record(recorder, Qt::Key_Exclam, 10, Qt::AltModifier | Qt::ShiftModifier);
}

template <typename T> T* control(SettingsFixture& f, const QString& name) {
    T* found = f.windows.settingsWindow()->page()->findChild<T*>(name);
    EXPECT_TRUE(found) << name.toStdString();
    return found;
}

// The desktop picker of the first filename rule.
QComboBox* ruleTarget(SettingsFixture& f) {
    for (auto* combo : f.windows.settingsWindow()->page()->findChildren<QComboBox*>())
        if (combo->objectName().startsWith(QStringLiteral("ruleDesktop:")))
            return combo;
    return nullptr;
}

void type(QLineEdit* field, const QString& text) {
    field->setFocus();
    field->setText(text);
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(field, &enter);
}

void press(QWidget* w, Qt::Key key) {
    QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(w, &event);
}

// What a case does in the window: a click, a key pressed on a control, a name typed and entered.
using Act = std::function<void(SettingsFixture&)>;
template <typename T = QPushButton> Act click(const char* name) {
    return [=](SettingsFixture& f) { control<T>(f, name)->click(); };
}
Act key(const char* name, Qt::Key k) {
    return [=](SettingsFixture& f) { press(control<QWidget>(f, name), k); };
}
Act typed(const char* name, const char* text) {
    return [=](SettingsFixture& f) { type(control<QLineEdit>(f, name), text); };
}
Act workKeyInto(const char* name) {
    return [=](SettingsFixture& f) { recordWorkKey(control<QWidget>(f, name)); };
}

struct ControlCase {
    const char* name;
    SettingsSectionId section;
    Act act;
    bool refused;                                     // the model's refusal is shown over the window
    std::function<bool(const Config&)> saved;         // what the document holds afterwards (when not refused)
    std::function<bool(SettingsFixture&)> shows = {}; // what the section shows afterwards
};

} // namespace

TEST(SettingsSections, ControlsRunTheModelAndShowItsRefusals) {
    using S = SettingsSectionId;
    const ControlCase cases[] = {
        {"rename to the archive folder's name", S::workspaces, typed("name:Work", "archive"), true, nullptr,
         [](SettingsFixture& f) { return control<QLineEdit>(f, "name:Work")->text() == "Work"; }},
        {"rename", S::workspaces, typed("name:Work", " Office "), false,
         [](const Config& c) { return c.findWorkspace("Office") && !c.findWorkspace("Work"); },
         [](SettingsFixture& f) {
             return f.windows.settingsWindow()->focusWidget() == control<QLineEdit>(f, "name:Office");
         }},
        {"make a temporary desktop permanent", S::workspaces, key("type:Projects", Qt::Key_Up), false,
         [](const Config& c) { return c.findWorkspace("Projects")->type == WorkspaceType::permanent; }},
        {"move a desktop up", S::workspaces, click<QToolButton>("up:Work"), false,
         [](const Config& c) {
             return c.liveWorkspaces()[0].name == "Work" && c.liveWorkspaces()[1].name == "Home";
         },
         [](SettingsFixture& f) { return !control<QToolButton>(f, "up:Work")->isEnabled(); }},
        {"a shortcut another desktop holds", S::shortcuts, workKeyInto("cycleNext"), true, nullptr},
        {"a desktop's own shortcut again", S::workspaces, workKeyInto("hotkey:Work"), false,
         [](const Config& c) { return c.findWorkspace("Work")->hotkey == workKey; }},
        {"clear a shortcut", S::shortcuts,
         [](SettingsFixture& f) {
             SettingsFixture::record(control<QWidget>(f, "hotkey:Work"), Qt::Key_Backspace, 22,
                                     Qt::NoModifier);
         },
         false, [](const Config& c) { return !c.findWorkspace("Work")->hotkey; }},
        {"unpin", S::pinnedFolders, click("unpin:Gone folder"), false,
         [](const Config& c) { return c.settings.pinnedFolders == std::vector<std::string>{"notes.txt"}; }},
        {"pin a Desktop item from the menu", S::pinnedFolders,
         [](SettingsFixture& f) {
             for (QAction* a : control<QMenu>(f, "pinMenu")->actions())
                 if (a->text() == "photo.png")
                     a->trigger();
         },
         false,
         [](const Config& c) {
             return c.settings.pinnedFolders ==
                    std::vector<std::string>{"notes.txt", "Gone folder", "photo.png"};
         }},
        {"pour into a permanent desktop", S::organisation, key("destination:Projects", Qt::Key_Down), false,
         [](const Config& c) {
             const Workspace* w = c.findWorkspace("Projects");
             return w->clearMode == ClearMode::move && w->drainTarget == "Home" && w->timerDrains;
         }},
        {"mark an archived desktop sorted", S::organisation, click("sorted:Trip"), false,
         [](const Config& c) { return c.findWorkspace("Trip")->state == WorkspaceState::archivedSorted; }},
        {"remind at", S::organisation,
         [](SettingsFixture& f) {
             auto* time = control<QAbstractSpinBox>(f, "remindAt");
             time->setFocus();
             time->stepUp();
             press(time, Qt::Key_Return);
         },
         false, [](const Config& c) { return c.settings.cleanupNotifyMinutes == 600; }},
        {"dark mode", S::appearance, key("appearanceMode", Qt::Key_End), false,
         [](const Config& c) { return c.settings.appearance.mode == AppearanceMode::dark; }},
        {"a rule into a new desktop", S::advanced,
         [](SettingsFixture& f) { type(ruleTarget(f)->lineEdit(), "Invoices"); }, false,
         [](const Config& c) {
             return c.settings.customFilters[0].collection == "Invoices" && c.findWorkspace("Invoices");
         }},
        {"hot corner", S::floatingDock, key("dockCorner", Qt::Key_Down), false,
         [](const Config& c) { return c.settings.floatingDockCorner == FloatingDockCorner::topLeft; }},
        {"a save that fails", S::general,
         [](SettingsFixture& f) {
             f.store.failSaves = true;
             control<QCheckBox>(f, "startMinimized")->click();
         },
         true, nullptr,
         [](SettingsFixture& f) { return !control<QCheckBox>(f, "startMinimized")->isChecked(); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SettingsFixture f;
        f.richDocument();
        f.put(f.paths.desktop / "photo.png");
        f.openSettings(c.section);
        const std::string before = test::readFile(f.paths.config);
        const int changesBefore = f.changes;

        c.act(f);

        QMessageBox* shown = test::openDialog();
        if (!c.refused) {
            EXPECT_FALSE(shown) << (shown ? shown->text().toStdString() : "");
            ASSERT_TRUE(c.saved);
            EXPECT_TRUE(c.saved(f.load()));
            EXPECT_GT(f.changes, changesBefore);
            EXPECT_EQ(f.windows.model().config(), f.load()); // the window shows what was saved
        } else {
            ASSERT_TRUE(shown);
            EXPECT_FALSE(shown->text().isEmpty());
            EXPECT_EQ(test::readFile(f.paths.config), before);
            EXPECT_EQ(f.changes, changesBefore);
        }
        if (c.shows) {
            EXPECT_TRUE(c.shows(f));
        }
    }
}

namespace {

struct ConfirmationCase {
    const char* name;
    SettingsSectionId section;
    Act ask;
    std::string message;
    std::string detail;  // the part of the explanation the case decides (none: nothing to check)
    std::string buttons; // as the box lists them, joined by "|"
    QString answer;
    std::function<bool(const Config&)> after; // with the answer given
};

} // namespace

TEST(SettingsSections, ConfirmationsAskFirst) {
    using S = SettingsSectionId;
    const ConfirmationCase cases[] = {
        {"delete a desktop with one file", S::workspaces, click<QToolButton>("delete:Work"),
         "Move \u201cWork\u201d to the Trash?", "Its 1 file goes", "Move to Trash|Cancel", "Move to Trash",
         [](const Config& c) { return !c.findWorkspace("Work"); }},
        {"delete a desktop with two files", S::workspaces,
         [](SettingsFixture& f) {
             f.put(f.folder("Scratch") / "a.txt");
             f.put(f.folder("Scratch") / "b.txt");
             f.put(f.folder("Scratch") / ".hidden");
             control<QToolButton>(f, "delete:Scratch")->click();
         },
         "Move \u201cScratch\u201d to the Trash?",
         "Its 2 files go", // the hidden file is not counted
         "Move to Trash|Cancel", "Cancel",
         [](const Config& c) { return c.findWorkspace("Scratch") != nullptr; }},
        {"a desktop whose folder is gone", S::workspaces,
         [](SettingsFixture& f) {
             std::filesystem::remove_all(f.folder("Scratch"));
             f.windows.reload();
             control<QPushButton>(f, "remove:Scratch")->click();
         },
         "Remove from Tessarin", "The folder for \u201cScratch\u201d", "Remove from Tessarin|Cancel",
         "Remove from Tessarin", [](const Config& c) { return !c.findWorkspace("Scratch"); }},
        {"the Screenshots desktop made temporary", S::workspaces, key("type:Screenshots", Qt::Key_Down),
         "Make the Screenshots desktop temporary?", "", "Make Temporary|Cancel", "Make Temporary",
         [](const Config& c) { return c.findWorkspace("Screenshots")->type == WorkspaceType::temporary; }},
        {"archive now", S::organisation, click("archiveNow:Projects"), "Archive \u201cProjects\u201d?", "",
         "Archive|Archive, don't ask again|Cancel", "Archive, don't ask again",
         [](const Config& c) {
             return c.findWorkspace("Projects")->state == WorkspaceState::archivedUnsorted &&
                    !c.settings.confirmArchive;
         }},
        {"move now", S::organisation, click("moveNow:Scratch"),
         "Move \u201cScratch\u201d into \u201cWork\u201d?", "under a folder named \u201cScratch\u201d",
         "Move|Move, don't ask again|Cancel", "Move",
         [](const Config& c) { return !c.findWorkspace("Scratch") && c.settings.confirmDrain; }},
        {"follow workspaces", S::experimental, click<QCheckBox>("followWorkspaces"),
         "Photosensitivity warning", "", "Turn On|Cancel", "Cancel",
         [](const Config& c) { return !c.settings.followSpaces; }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SettingsFixture f;
        f.richDocument();
        f.openSettings(c.section);
        c.ask(f);
        QMessageBox* box = test::openDialog();
        ASSERT_TRUE(box);
        EXPECT_EQ(box->text().toStdString(), c.message);
        EXPECT_TRUE(box->informativeText().contains(QString::fromStdString(c.detail))) << c.detail;
        std::string buttons;
        for (const auto& b : test::buttons(box))
            buttons += (buttons.empty() ? "" : "|") + b;
        EXPECT_EQ(buttons, c.buttons);
        test::answer(box, c.answer);
        EXPECT_TRUE(c.after(f.load()));
        if (c.answer == "Cancel") {
            EXPECT_EQ(f.windows.model().config(), f.load());
        }
    }
}

namespace {

struct ActionCase {
    const char* name;
    SettingsSectionId section;
    Act act;
    std::function<bool(SettingsFixture&)> done;
};

} // namespace

TEST(SettingsSections, ButtonsThatReachTheAgentLeaveTheDocumentAlone) {
    bool loginItem = false;
    std::optional<std::string> loginFailure;
    SettingsFeatures features;
    features.launchAtLogin = {[] { return true; }, [&] { return loginItem; },
                              [&](bool on) {
                                  if (!loginFailure)
                                      loginItem = on;
                                  return loginFailure;
                              }};
    features.iconHost = [] { return IconHostState{IconHostState::Status::granted, "Caja"}; };
    const ActionCase cases[] = {
        {"reveal the desktops folder", SettingsSectionId::general, click("revealDesktops"),
         [](SettingsFixture& f) { return f.revealed == std::vector{f.paths.workspaces}; }},
        {"reveal an archived desktop", SettingsSectionId::workspaces, click("revealArchived:Trip"),
         [](SettingsFixture& f) { return f.revealed == std::vector{f.archive() / "Trip-2026-02-20"}; }},
        {"copy diagnostics", SettingsSectionId::general, click("copyDiagnostics"),
         [](SettingsFixture& f) {
             return QApplication::clipboard()->text() == "diagnostics report" &&
                    control<QPushButton>(f, "copyDiagnostics")->text() == "Copied";
         }},
        {"the icon host by name", SettingsSectionId::general, [](SettingsFixture&) {},
         [](SettingsFixture& f) {
             const auto labels = f.windows.settingsWindow()->page()->findChildren<QLabel*>();
             return std::any_of(labels.begin(), labels.end(), [](QLabel* l) {
                 return l->text().contains(QStringLiteral("tell Caja where"));
             });
         }},
        {"launch at login", SettingsSectionId::general, click<QCheckBox>("launchAtLogin"),
         [&](SettingsFixture& f) {
             return loginItem && control<QCheckBox>(f, "launchAtLogin")->isChecked();
         }},
        {"launch at login refused", SettingsSectionId::general,
         [&](SettingsFixture& f) {
             loginFailure = "Couldn't write the autostart entry: Permission denied";
             control<QCheckBox>(f, "launchAtLogin")->click();
         },
         [&](SettingsFixture& f) {
             QMessageBox* box = test::openDialog();
             return box && box->text().toStdString() == *loginFailure && !loginItem &&
                    !control<QCheckBox>(f, "launchAtLogin")->isChecked();
         }},
        {"new desktop", SettingsSectionId::workspaces, click("newDesktop"),
         [](SettingsFixture& f) {
             return f.windows.creationSheet() && f.windows.creationSheet()->isVisible();
         }},
        {"open the calendar", SettingsSectionId::organisation, click("openCalendar"),
         [](SettingsFixture& f) {
             return f.windows.calendarWindow() && f.windows.calendarWindow()->isVisible();
         }},
        {"sort now", SettingsSectionId::advanced, click("sortNow"),
         [](SettingsFixture& f) { return f.sweeps == 1; }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        loginItem = false;
        loginFailure.reset();
        SettingsFixture f(features);
        f.richDocument();
        f.openSettings(c.section);
        const std::string before = test::readFile(f.paths.config);
        c.act(f);
        EXPECT_TRUE(c.done(f));
        EXPECT_EQ(test::readFile(f.paths.config), before);
        EXPECT_EQ(f.changes, 0);
        if (auto* sheet = f.windows.creationSheet())
            sheet->close();
    }
}

TEST(SettingsSections, OpenWindowsFollowChangesMadeElsewhere) {
    SettingsFixture f;
    f.richDocument();
    f.openSettings(SettingsSectionId::workspaces);
    f.windows.openCalendar();
    const auto circles = f.windows.calendarWindow()->view().markers().size();

    // tessarinctl, a switch or the scheduler change the document; the agent then reloads the windows.
    mutateConfig(f.store, [](Config& c) {
        c.findWorkspace("Work")->name = "Office";
        c.cleanupTasks.push_back(
            CleanupTask{Uuid::random(), {"Scratch"}, test::berlin(2026, 3, 20, 0, 0, false)});
    });
    f.windows.reload();

    EXPECT_TRUE(f.windows.settingsWindow()->page()->findChild<QLineEdit*>("name:Office"));
    EXPECT_FALSE(f.windows.settingsWindow()->page()->findChild<QLineEdit*>("name:Work"));
    EXPECT_EQ(f.windows.calendarWindow()->view().markers().size(), circles + 1);
    EXPECT_EQ(f.windows.model().config(), f.load());
}
