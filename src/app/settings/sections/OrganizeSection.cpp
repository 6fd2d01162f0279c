#include "settings/sections/OrganizeSection.h"

#include "organise/CleanupTasks.h"
#include "settings/widgets/ColorButton.h"
#include "settings/widgets/DayStepper.h"
#include "settings/widgets/Widgets.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QTimeEdit>
#include <QToolButton>
#include <QVBoxLayout>

namespace tessarin {

namespace {

QLabel* swatchLabel(const std::string& hex, QWidget* parent) {
    auto* label = new QLabel(parent);
    const int side = label->fontMetrics().height();
    label->setPixmap(ColorButton::swatch(QColor(qs(hex)), side).pixmap(side, side));
    return label;
}

} // namespace

OrganizeSection::OrganizeSection(SectionContext& context, QWidget* parent)
    : SectionPage(context, QStringLiteral("Organize"), parent) {}

void OrganizeSection::build(QVBoxLayout* page) {
    buildTemporary(page);
    buildUnsorted(page);
    buildSchedule(page);
    buildNotifications(page);
}

std::vector<std::string> OrganizeSection::homes(const std::string& except) const {
    std::vector<std::string> names;
    for (const auto& w : config().switchableWorkspaces())
        if (w.name != except)
            names.push_back(w.name);
    return names;
}

void OrganizeSection::buildTemporary(QVBoxLayout* page) {
    QVBoxLayout* body = group(page, QStringLiteral("Temporary desktops"));
    auto* help = new QHBoxLayout;
    help->addStretch(1);
    auto* what = new QToolButton(body->parentWidget());
    what->setObjectName(QStringLiteral("whatAreTemporary"));
    what->setText(QStringLiteral("?"));
    what->setToolTip(QStringLiteral("What are temporary desktops?"));
    what->setAccessibleName(QStringLiteral("What are temporary desktops?"));
    what->setFocusPolicy(Qt::StrongFocus);
    connect(what, &QToolButton::clicked, this,
            [this] { act([](SettingsModel& m) { return m.preferences.setShowMoveHint(true); }); });
    help->addWidget(what);
    body->addLayout(help);
    if (config().settings.showMoveHint)
        hintBar(
            qobject_cast<QVBoxLayout*>(body), QStringLiteral("hideMoveHint"),
            QStringLiteral("A temporary desktop can move its files into another desktop or the archive. They "
                           "move into a new folder there. First choose a destination, then move them "
                           "immediately or on a schedule."),
            QStringLiteral("Hide — reopen with the ? above"),
            [](SettingsModel& m) { return m.preferences.setShowMoveHint(false); });

    bool any = false;
    for (const auto& w : config().liveWorkspaces()) {
        if (w.type != WorkspaceType::temporary)
            continue;
        any = true;
        temporaryRow(body, w);
    }
    if (!any)
        note(body,
             QStringLiteral("No temporary desktops. Set one to Temporary in the desktops tab to move or "
                            "archive it."));
}

void OrganizeSection::temporaryRow(QVBoxLayout* body, const Workspace& desktop) {
    const std::string name = desktop.name;
    const QString key = qs(name);
    QWidget* parent = body->parentWidget();

    auto* head = new QHBoxLayout;
    head->addWidget(swatchLabel(desktop.colorHex, parent));
    auto* title = new QLabel(key, parent);
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    head->addWidget(title, 1);

    // Destinations: keep, archive, then one per permanent desktop to move into.
    const auto targets = homes(name);
    auto* destination = new QComboBox(parent);
    destination->setObjectName(QStringLiteral("destination:") + key);
    destination->setAccessibleName(QStringLiteral("Where ") + quoted(name) + QStringLiteral(" goes"));
    destination->addItem(QStringLiteral("Keep"));
    destination->addItem(QStringLiteral("Archive"));
    for (const auto& target : targets)
        destination->addItem(QStringLiteral("Move into ") + quoted(target), qs(target));
    int current = desktop.clearMode == ClearMode::archive ? 1 : 0;
    if (desktop.clearMode == ClearMode::move && desktop.drainTarget) {
        const auto at = std::find(targets.begin(), targets.end(), *desktop.drainTarget);
        current = at == targets.end() ? 0 : 2 + static_cast<int>(at - targets.begin());
    }
    destination->setCurrentIndex(current);
    connect(destination, &QComboBox::activated, this, [this, name, destination](int index) {
        if (rebuilding())
            return;
        const ClearMode mode = index == 0   ? ClearMode::keep
                               : index == 1 ? ClearMode::archive
                                            : ClearMode::move;
        std::optional<std::string> home;
        if (mode == ClearMode::move)
            home = destination->itemData(index).toString().toStdString();
        act([&](SettingsModel& m) { return m.calendar.setClearDestination(name, mode, home); });
    });
    head->addWidget(destination);
    body->addLayout(head);

    if (current != 0) {
        const ArchiveTimerMode mode = desktop.timer ? desktop.timer->mode : ArchiveTimerMode::none;
        const int days = desktop.timer ? static_cast<int>(desktop.timer->days) : 3;
        auto* when = new QHBoxLayout;
        auto* timer = new QComboBox(parent);
        timer->setObjectName(QStringLiteral("timer:") + key);
        timer->setAccessibleName(QStringLiteral("When ") + quoted(name) + QStringLiteral(" goes"));
        timer->addItems(
            {QStringLiteral("Never"), QStringLiteral("After idle"), QStringLiteral("After fixed time")});
        timer->setCurrentIndex(static_cast<int>(mode));
        auto* stepper = new DayStepper(0, parent);
        stepper->setObjectName(QStringLiteral("days:") + key);
        stepper->setAccessibleName(QStringLiteral("Days until ") + quoted(name) + QStringLiteral(" goes"));
        stepper->setValue(days);
        stepper->setEnabled(mode != ArchiveTimerMode::none);
        connect(timer, &QComboBox::activated, this, [this, desktop, stepper](int index) {
            if (!rebuilding())
                setTimer(desktop, static_cast<ArchiveTimerMode>(index), stepper->value());
        });
        connect(stepper, &QSpinBox::editingFinished, this, [this, desktop, stepper, days] {
            if (!rebuilding() && stepper->isVisible() && stepper->value() != days && desktop.timer)
                setTimer(desktop, desktop.timer->mode, stepper->value());
        });
        when->addSpacing(24);
        when->addWidget(timer);
        when->addWidget(stepper);
        when->addStretch(1);
        body->addLayout(when);
    }

    auto* now = new QHBoxLayout;
    now->addSpacing(24);
    const bool active = name == config().activeWorkspace;
    const bool moves = desktop.clearMode == ClearMode::move && desktop.drainTarget;
    QPushButton* run = nullptr;
    if (moves) {
        const std::string target = *desktop.drainTarget;
        run = button(nullptr, QStringLiteral("moveNow:") + key, QStringLiteral("Move now"),
                     [this, name, target] { drainNow(name, target); });
        run->setToolTip(QStringLiteral("Move its files into ") + quoted(target) + QStringLiteral(" now."));
    } else {
        run = button(nullptr, QStringLiteral("archiveNow:") + key, QStringLiteral("Archive now"),
                     [this, name] { archiveNow(name); });
        run->setToolTip(QStringLiteral("Archive this desktop now."));
    }
    run->setAccessibleName(run->text() + QStringLiteral(" ") + quoted(name));
    run->setEnabled(!active);
    now->addWidget(run);
    if (active) {
        auto* why = new QLabel(QStringLiteral("Switch to another desktop first."), parent);
        why->setForegroundRole(QPalette::PlaceholderText);
        now->addWidget(why);
    }
    now->addStretch(1);
    body->addLayout(now);
}

void OrganizeSection::setTimer(const Workspace& desktop, ArchiveTimerMode mode, int days) {
    std::optional<ArchiveTimer> timer;
    if (mode != ArchiveTimerMode::none)
        timer = ArchiveTimer{mode, days};
    const bool drains = desktop.clearMode == ClearMode::move && desktop.drainTarget.has_value();
    const std::string name = desktop.name;
    act([&](SettingsModel& m) { return m.calendar.setAutoCompletion(name, timer, drains); });
}

void OrganizeSection::archiveNow(const std::string& name) {
    const auto archive = [this, name] { act([&](SettingsModel& m) { return m.archives.archive(name); }); };
    if (!config().settings.confirmArchive) {
        archive();
        return;
    }
    context().dialogs.confirm(
        {QStringLiteral("Archive ") + quoted(name) + QStringLiteral("?"),
         QStringLiteral(
             "Moves this desktop's folder into your archive — nothing is deleted. You can restore it "
             "anytime."),
         {QStringLiteral("Archive"), QStringLiteral("Archive, don't ask again"), QStringLiteral("Cancel")},
         [this, archive](int button) {
             if (button == 1)
                 act([](SettingsModel& m) { return m.preferences.setConfirmArchive(false); });
             if (button == 0 || button == 1)
                 archive();
         }});
}

void OrganizeSection::drainNow(const std::string& name, const std::string& target) {
    const auto drain = [this, name, target] {
        act([&](SettingsModel& m) { return m.archives.drain(name, target); });
    };
    if (!config().settings.confirmDrain) {
        drain();
        return;
    }
    context().dialogs.confirm(
        {QStringLiteral("Move ") + quoted(name) + QStringLiteral(" into ") + quoted(target) +
             QStringLiteral("?"),
         QStringLiteral("Its files move into ") + quoted(target) + QStringLiteral(" under a folder named ") +
             quoted(name) +
             QStringLiteral(". Nothing is deleted or overwritten, and the emptied desktop is removed."),
         {QStringLiteral("Move"), QStringLiteral("Move, don't ask again"), QStringLiteral("Cancel")},
         [this, drain](int button) {
             if (button == 1)
                 act([](SettingsModel& m) { return m.preferences.setConfirmDrain(false); });
             if (button == 0 || button == 1)
                 drain();
         }});
}

void OrganizeSection::buildUnsorted(QVBoxLayout* page) {
    QVBoxLayout* body = group(page, QStringLiteral("Archived — to sort"));
    const auto unsorted = config().unsortedWorkspaces();
    if (unsorted.empty())
        note(body, QStringLiteral("Nothing waiting to be sorted."));
    for (const auto& w : unsorted) {
        const std::string name = w.name;
        QPushButton* sorted =
            button(nullptr, QStringLiteral("sorted:") + qs(name), QStringLiteral("Sorted"), [this, name] {
                act([&](SettingsModel& m) { return m.archives.setArchivedSorted(name, true); });
            });
        sorted->setAccessibleName(QStringLiteral("Mark ") + quoted(name) + QStringLiteral(" sorted"));
        row(body, qs(name), sorted);
    }
}

void OrganizeSection::buildSchedule(QVBoxLayout* page) {
    QVBoxLayout* body = group(page, QStringLiteral("Cleanup schedule"));
    const Calendar& calendar = model().state.calendar();
    const Date today = calendar.startOfDay(model().state.clock().now());
    const auto tasks = openCleanupTasks(config());
    if (tasks.empty())
        note(body, QStringLiteral("No cleanups scheduled — open the calendar and tap a date to add one."));
    for (const auto& task : tasks) {
        QStringList members;
        for (const auto& m : task.members)
            members.append(qs(m));
        const bool overdue = task.date < today;
        QString label = QLocale().toString(calendarDate(calendar, task.date), QLocale::LongFormat);
        if (overdue)
            label += QStringLiteral("  —  overdue");
        const std::vector<std::string> names = task.members;
        QPushButton* remove = button(nullptr, QStringLiteral("removeReminder:") + qs(task.id.text()),
                                     QStringLiteral("Remove this reminder"), [this, names] {
                                         act([&](SettingsModel& m) {
                                             bool done = true;
                                             for (const auto& n : names)
                                                 done = m.calendar.removeCleanup(n) && done;
                                             return done;
                                         });
                                     });
        remove->setAccessibleName(QStringLiteral("Remove the reminder of ") + label);
        QHBoxLayout* line = row(body, label, remove, members.join(QStringLiteral(", ")));
        if (overdue)
            if (auto* title = qobject_cast<QLabel*>(line->itemAt(0)->layout()->itemAt(0)->widget())) {
                QPalette p = title->palette();
                p.setColor(QPalette::WindowText, QColor(0xE0, 0x40, 0x30));
                title->setPalette(p);
            }
    }
    auto* line = new QHBoxLayout;
    QPushButton* open =
        button(nullptr, QStringLiteral("openCalendar"), QStringLiteral("Open calendar…"), [this] {
            if (context().actions.openCalendar)
                context().actions.openCalendar();
        });
    line->addWidget(open);
    line->addStretch(1);
    body->addLayout(line);
    toggle(body, QStringLiteral("showCalendarInMenu"), QStringLiteral("Show in the menu-bar menu"),
           config().settings.showCleanupCalendarInMenu,
           [](SettingsModel& m, bool on) { return m.preferences.setShowCleanupCalendarInMenu(on); });
}

void OrganizeSection::buildNotifications(QVBoxLayout* page) {
    QVBoxLayout* body = group(page, QStringLiteral("Notifications"));
    const AppSettings& s = config().settings;
    toggle(body, QStringLiteral("remindCleanups"), QStringLiteral("Remind me about cleanups"),
           !s.muteCleanupNotifications,
           [](SettingsModel& m, bool on) { return m.preferences.setMuteCleanupNotifications(!on); });
    auto* time = new QTimeEdit(QTime(static_cast<int>(s.cleanupNotifyMinutes / 60) % 24,
                                     static_cast<int>(s.cleanupNotifyMinutes % 60)),
                               body->parentWidget());
    time->setObjectName(QStringLiteral("remindAt"));
    QString format = QLocale().timeFormat(QLocale::ShortFormat);
    format.remove(QStringLiteral(":ss"));
    time->setDisplayFormat(format);
    time->setEnabled(!s.muteCleanupNotifications);
    const int64_t stored = s.cleanupNotifyMinutes;
    connect(time, &QTimeEdit::editingFinished, this, [this, time, stored] {
        const int64_t minutes = time->time().hour() * 60 + time->time().minute();
        if (!rebuilding() && time->isVisible() && minutes != stored)
            act([&](SettingsModel& m) { return m.preferences.setCleanupNotifyMinutes(minutes); });
    });
    row(body, QStringLiteral("Remind at"), time);
    toggle(body, QStringLiteral("repeatOverdue"), QStringLiteral("Repeat two times weekly while overdue"),
           s.cleanupNotifyRepeat,
           [](SettingsModel& m, bool on) { return m.preferences.setCleanupNotifyRepeat(on); });
    toggle(body, QStringLiteral("reminderSound"), QStringLiteral("Sound"), s.cleanupNotifySound,
           [](SettingsModel& m, bool on) { return m.preferences.setCleanupNotifySound(on); });
}

} // namespace tessarin
