// The cleanup calendar driven by the mouse and the keyboard, and the creation sheet's rules, over a real
// store in Berlin time (summer time begins on 29 March 2026).
#include "SettingsFixture.h"
#include "model/ShortcutText.h"
#include "organise/CleanupTasks.h"
#include "settings/DesktopEditor.h"
#include "settings/calendar/CalendarWindow.h"
#include "settings/sheet/CreationSheet.h"

#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMouseEvent>
#include <QSpinBox>
#include <QToolButton>
#include <gtest/gtest.h>

using namespace tessarin;
using test::berlin;
using test::SettingsFixture;

namespace {

using Tasks = std::vector<std::pair<std::vector<std::string>, Date>>;

Tasks tasks(const Config& c) {
    Tasks result;
    for (const auto& t : c.cleanupTasks)
        result.emplace_back(t.members, t.date);
    return result;
}

Date day(int d, int month = 3) {
    return berlin(2026, month, d, 0, 0, month == 3 ? d >= 29 : month > 3);
}

void mouse(QWidget* w, QEvent::Type type, const QPointF& at) {
    QMouseEvent event(type, at, w->mapToGlobal(at), Qt::LeftButton,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w, &event);
}

void drag(CleanupCalendarView& view, const QPointF& from, const QPointF& to) {
    mouse(&view, QEvent::MouseButtonPress, from);
    mouse(&view, QEvent::MouseMove, (from + to) / 2);
    mouse(&view, QEvent::MouseMove, to);
    mouse(&view, QEvent::MouseButtonRelease, to);
}

void click(CleanupCalendarView& view, const QPointF& at) {
    mouse(&view, QEvent::MouseButtonPress, at);
    mouse(&view, QEvent::MouseButtonRelease, at);
}

QPointF circleOf(CleanupCalendarView& view, const std::string& idStart) {
    for (const auto& m : view.markers())
        if (m.item.id.starts_with(idStart))
            return m.center;
    ADD_FAILURE() << "no circle " << idStart;
    return {};
}

QPointF cellCenter(CleanupCalendarView& view, int d, int month = 3) {
    return view.cellRect(QDate(2026, month, d)).center();
}

struct CalendarCase {
    const char* name;
    Tasks start;
    std::function<void(CalendarWindow&, const Config&)> act;
    Tasks expected;
    std::function<bool(const Config&)> also = {};
};

} // namespace

TEST(CleanupCalendar, MouseAndKeyboard) {
    const auto id = [](const Config& c, const std::string& member) {
        for (const auto& t : c.cleanupTasks)
            if (t.members.front() == member)
                return "clean:" + t.id.text();
        return std::string("none");
    };
    const CalendarCase cases[] = {
        {"move a cleanup across the change to summer time",
         {{{"Taxes 2025"}, day(5)}},
         [&](CalendarWindow& w, const Config& c) {
             drag(w.view(), circleOf(w.view(), id(c, "Taxes 2025")), cellCenter(w.view(), 30));
         },
         {{{"Taxes 2025"}, day(30)}}},
        {"drop 15 points from another cleanup: merge",
         {{{"Taxes 2025"}, day(5)}, {{"Trip"}, day(12)}},
         [&](CalendarWindow& w, const Config& c) {
             drag(w.view(), circleOf(w.view(), id(c, "Taxes 2025")),
                  circleOf(w.view(), id(c, "Trip")) + QPointF(9, 12));
         },
         {{{"Trip", "Taxes 2025"}, day(12)}}},
        {"drop 25 points from another cleanup: move beside it",
         {{{"Taxes 2025"}, day(5)}, {{"Trip"}, day(12)}},
         [&](CalendarWindow& w, const Config& c) {
             drag(w.view(), circleOf(w.view(), id(c, "Taxes 2025")),
                  circleOf(w.view(), id(c, "Trip")) + QPointF(25, 0));
         },
         {{{"Taxes 2025"}, day(12)}, {{"Trip"}, day(12)}}},
        {"drop on a past day: nothing",
         {{{"Taxes 2025"}, day(5)}},
         [&](CalendarWindow& w, const Config& c) {
             drag(w.view(), circleOf(w.view(), id(c, "Taxes 2025")), cellCenter(w.view(), 27, 2));
         },
         {{{"Taxes 2025"}, day(5)}}},
        {"drop outside the grid: nothing",
         {{{"Taxes 2025"}, day(5)}},
         [&](CalendarWindow& w, const Config& c) {
             drag(w.view(), circleOf(w.view(), id(c, "Taxes 2025")), QPointF(20, w.view().height() + 30));
         },
         {{{"Taxes 2025"}, day(5)}}},
        {"a timer is never a merge target",
         {{{"Taxes 2025"}, day(5)}},
         [&](CalendarWindow& w, const Config& c) {
             drag(w.view(), circleOf(w.view(), id(c, "Taxes 2025")), circleOf(w.view(), "timer:Projects"));
         },
         {{{"Taxes 2025"}, day(4)}}},
        {"an idle 3-day timer dragged to the day after tomorrow",
         {},
         [](CalendarWindow& w, const Config&) {
             drag(w.view(), circleOf(w.view(), "timer:Projects"), cellCenter(w.view(), 3));
         },
         {},
         [](const Config& c) { return c.findWorkspace("Projects")->timer->days == 2; }},
        {"tap a day, add an archived desktop to it",
         {{{"Taxes 2025"}, day(5)}},
         [](CalendarWindow& w, const Config&) {
             click(w.view(), cellCenter(w.view(), 20));
             EXPECT_FALSE(w.sidebar().findChild<QPushButton*>("add:Taxes 2025") == nullptr);
             w.sidebar().findChild<QPushButton*>("add:Trip")->click();
         },
         {{{"Taxes 2025"}, day(5)}, {{"Trip"}, day(20)}}},
        {"split a member onto a circle of its own",
         {{{"Taxes 2025", "Trip"}, day(5)}},
         [](CalendarWindow& w, const Config&) {
             click(w.view(), cellCenter(w.view(), 5));
             w.sidebar().findChild<QToolButton*>("split:Trip")->click();
             EXPECT_EQ(w.view().markers().size(), 4u); // two cleanup circles and the two timers
         },
         {{{"Taxes 2025"}, day(5)}, {{"Trip"}, day(5)}}},
        {"remove a reminder",
         {{{"Taxes 2025", "Trip"}, day(5)}},
         [](CalendarWindow& w, const Config&) {
             click(w.view(), cellCenter(w.view(), 5));
             w.sidebar().findChild<QToolButton*>("removeCleanup:Taxes 2025")->click();
         },
         {{{"Trip"}, day(5)}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SettingsFixture f;
        Config doc = f.richDocument();
        doc.cleanupTasks.clear();
        for (const auto& [members, date] : c.start)
            doc.cleanupTasks.push_back(CleanupTask{Uuid::random(), members, date});
        doc.findWorkspace("Projects")->lastActiveAt = f.clock.now(); // its idle timer ends on the 4th
        f.store.saveConfig(doc);
        f.windows.openCalendar();
        CalendarWindow& window = *f.windows.calendarWindow();
        window.resize(CalendarWindow::initialSize);
        window.layout()->activate();

        c.act(window, f.load());

        if (c.also) {
            EXPECT_TRUE(c.also(f.load()));
        } else {
            EXPECT_EQ(tasks(f.load()), c.expected);
        }
        EXPECT_FALSE(test::openDialog());
    }
}

TEST(CleanupCalendar, KeysMoveTheSelectedDayAndMonth) {
    SettingsFixture f;
    f.richDocument();
    f.windows.openCalendar();
    CalendarWindow& window = *f.windows.calendarWindow();
    CleanupCalendarView& view = window.view();
    const struct {
        Qt::Key key;
        QDate selected;
    } steps[] = {{Qt::Key_Right, {2026, 3, 2}},    {Qt::Key_Down, {2026, 3, 9}},
                 {Qt::Key_PageDown, {2026, 4, 9}}, {Qt::Key_Up, {2026, 4, 2}},
                 {Qt::Key_Left, {2026, 4, 1}},     {Qt::Key_Left, {2026, 3, 31}},
                 {Qt::Key_Home, {2026, 3, 1}},     {Qt::Key_PageUp, {2026, 2, 1}}};
    for (const auto& step : steps) {
        QKeyEvent event(QEvent::KeyPress, step.key, Qt::NoModifier);
        QApplication::sendEvent(&view, &event);
        EXPECT_EQ(view.selectedDay(), step.selected);
        EXPECT_EQ(view.month(), QDate(step.selected.year(), step.selected.month(), 1));
    }
    // The grid starts on the locale's first day of the week.
    EXPECT_EQ(monthGrid(QDate(2026, 2, 1), Qt::Monday).front(), QDate(2026, 1, 26));
    EXPECT_EQ(monthGrid(QDate(2026, 2, 1), Qt::Sunday).front(), QDate(2026, 2, 1));
}

namespace {

struct SheetCase {
    const char* name;
    std::function<void(Config&)> document;
    std::function<void(CreationSheet&)> fill;
    bool creatable;
    bool explained;                                  // the sheet says why it can't make the desktop
    std::function<bool(const Config&)> created = {}; // after "Create"; none: nothing is made
};

template <typename T> T* in(CreationSheet& sheet, const char* name) {
    return sheet.findChild<T*>(QString::fromLatin1(name));
}

void name(CreationSheet& sheet, const QString& text) {
    in<QLineEdit>(sheet, "name")->setText(text);
}

} // namespace

TEST(CreationSheet, ValidatesAndCreates) {
    const SheetCase cases[] = {
        {"only spaces", nullptr, [](CreationSheet& s) { name(s, "   "); }, false, false},
        // The naming rules are the core's: one of them shows how the sheet refuses.
        {"taken", nullptr, [](CreationSheet& s) { name(s, "Work "); }, false, true},
        {"a permanent desktop in the carousel", nullptr,
         [](CreationSheet& s) {
             name(s, " Focus ");
             in<QCheckBox>(s, "carousel")->setChecked(true);
         },
         true, false,
         [](const Config& c) {
             const Workspace* w = c.findWorkspace("Focus");
             return w && w->type == WorkspaceType::permanent && !w->timer &&
                    c.settings.optionClickCarousel == std::vector<std::string>{"Home", "Work", "Focus"} &&
                    c.liveWorkspaces().back().name == "Focus";
         }},
        {"a temporary desktop that moves into another after idle days", nullptr,
         [](CreationSheet& s) {
             name(s, "Errands");
             in<QComboBox>(s, "type")->setCurrentIndex(1);
             in<QComboBox>(s, "moveMode")->setCurrentIndex(1);
             in<QComboBox>(s, "moveTarget")->setCurrentText("Work");
             in<QSpinBox>(s, "days")->setValue(2);
             in<QCheckBox>(s, "makeCleanup")->setChecked(false);
         },
         true, false,
         [](const Config& c) {
             const Workspace* w = c.findWorkspace("Errands");
             return w && w->type == WorkspaceType::temporary &&
                    w->timer == ArchiveTimer{ArchiveTimerMode::idle, 2} && w->drainTarget == "Work" &&
                    w->timerDrains && !w->createsCleanupTask;
         }},
        {"auto-archive the same day", nullptr,
         [](CreationSheet& s) {
             name(s, "Today");
             in<QComboBox>(s, "type")->setCurrentIndex(1);
             in<QComboBox>(s, "archiveMode")->setCurrentIndex(2);
             in<QSpinBox>(s, "days")->setValue(0);
             EXPECT_EQ(in<QSpinBox>(s, "days")->text(), "same day");
         },
         true, false,
         [](const Config& c) {
             const Workspace* w = c.findWorkspace("Today");
             return w && w->timer == ArchiveTimer{ArchiveTimerMode::fixed, 0} && !w->drainTarget &&
                    w->createsCleanupTask;
         }},
        {"a full carousel",
         [](Config& c) {
             c.settings.optionClickCarousel = {"Home", "Work", "Projects", "Scratch"};
         },
         [](CreationSheet& s) {
             name(s, "Fifth");
             EXPECT_FALSE(in<QCheckBox>(s, "carousel")->isEnabled());
             const auto labels = s.findChildren<QLabel*>();
             EXPECT_TRUE(std::any_of(labels.begin(), labels.end(), [](QLabel* l) {
                 return l->text() == QString::fromUtf8(DesktopEditor::carouselCapText);
             }));
         },
         true, false,
         [](const Config& c) {
             return c.findWorkspace("Fifth") && c.settings.optionClickCarousel.size() == 4;
         }},
        {"a shortcut another desktop holds", nullptr,
         [](CreationSheet& s) {
             name(s, "Keys");
             SettingsFixture::record(in<QWidget>(s, "shortcut"), Qt::Key_Exclam, 10,
                                     Qt::AltModifier | Qt::ShiftModifier);
         },
         true, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SettingsFixture f;
        Config doc = f.richDocument();
        if (c.document) {
            c.document(doc);
            f.store.saveConfig(doc);
        }
        f.windows.newDesktop();
        QPointer<CreationSheet> sheet = f.windows.creationSheet();
        ASSERT_TRUE(sheet);
        EXPECT_TRUE(sheet->canCreate()); // the proposed name is free
        const std::string before = test::readFile(f.paths.config);
        const auto folders = SettingsFixture::listing(f.paths.workspaces);

        c.fill(*sheet);
        EXPECT_EQ(sheet->canCreate(), c.creatable);
        if (!c.creatable) {
            EXPECT_EQ(!sheet->message().isEmpty(), c.explained);
            EXPECT_FALSE(sheet->create());
            continue;
        }
        in<QPushButton>(*sheet, "create")->click();
        QApplication::processEvents(); // a closed sheet is deleted
        if (c.created) {
            EXPECT_TRUE(c.created(f.load()));
            EXPECT_FALSE(sheet); // closed once the desktop was made
        } else {
            ASSERT_TRUE(sheet); // a refusal keeps it open with the model's text
            EXPECT_EQ(!sheet->message().isEmpty(), c.explained);
            EXPECT_EQ(test::readFile(f.paths.config), before);
            EXPECT_EQ(SettingsFixture::listing(f.paths.workspaces), folders);
            sheet->close();
        }
    }
}
