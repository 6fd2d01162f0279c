#include "settings/calendar/CalendarSidebar.h"

#include "settings/widgets/ColorButton.h"
#include "settings/widgets/DayStepper.h"
#include "settings/widgets/ThemeIcon.h"
#include "settings/widgets/Widgets.h"

#include <QApplication>
#include <QDrag>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QMimeData>
#include <QMouseEvent>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace tessarin {

namespace {

// A desktop's name that can be dragged onto a day of the grid.
class NameChip : public QLabel {
public:
    NameChip(const QString& name, QWidget* parent) : QLabel(name, parent) {
        setCursor(Qt::OpenHandCursor);
        setToolTip(QStringLiteral("Drag onto another day to give it a date of its own"));
    }

protected:
    void mousePressEvent(QMouseEvent* event) override { press_ = event->position().toPoint(); }
    void mouseMoveEvent(QMouseEvent* event) override {
        if (!(event->buttons() & Qt::LeftButton) ||
            (event->position().toPoint() - press_).manhattanLength() < QApplication::startDragDistance())
            return;
        auto* drag = new QDrag(this);
        auto* mime = new QMimeData;
        mime->setText(text());
        drag->setMimeData(mime);
        drag->setPixmap(grab());
        drag->exec(Qt::MoveAction);
    }

private:
    QPoint press_;
};

QHBoxLayout* nameLine(const std::string& name, const std::string& hex, QWidget* parent, bool draggable) {
    auto* line = new QHBoxLayout;
    line->setSpacing(6);
    auto* swatch = new QLabel(parent);
    const int side = swatch->fontMetrics().height() - 2;
    swatch->setPixmap(
        ColorButton::swatch(QColor(qs(hex.empty() ? "#8E8E93" : hex)), side).pixmap(side, side));
    line->addWidget(swatch);
    QLabel* label = draggable ? new NameChip(qs(name), parent) : new QLabel(qs(name), parent);
    label->setWordWrap(true);
    line->addWidget(label, 1);
    return line;
}

} // namespace

CalendarSidebar::CalendarSidebar(SettingsBridge& bridge, QWidget* parent) : QWidget(parent), bridge_(bridge) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
}

void CalendarSidebar::run(const std::function<bool(SettingsModel&)>& operation) {
    emit operated(bridge_.run(operation));
}

void CalendarSidebar::show(const QDate& day, const QDate& today) {
    day_ = day;
    today_ = today;
    if (content_) {
        // Out of the tree at once, deleted once the click that may have led here is over.
        content_->hide();
        content_->setParent(nullptr);
        content_->deleteLater();
    }
    content_ = new QWidget(this);
    auto* layout = new QVBoxLayout(content_);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(6);
    auto* title = boldLabel(QLocale().toString(day, QLocale::LongFormat), content_);
    title->setObjectName(QStringLiteral("dayTitle"));
    title->setWordWrap(true);
    layout->addWidget(title);
    const Date start = startOfDay(bridge_.model().state.calendar(), day);
    buildScheduled(layout, start);
    layout->addSpacing(8);
    buildAdditions(layout, start);
    layout->addStretch(1);
    this->layout()->addWidget(content_);
}

void CalendarSidebar::buildScheduled(QVBoxLayout* layout, Date start) {
    SettingsModel& model = bridge_.model();
    const Config& config = bridge_.config();
    bool any = false;
    for (const auto& task : model.calendar.cleanupCandidates(start)) {
        for (const auto& name : task.members) {
            any = true;
            const Workspace* desktop = config.findWorkspace(name);
            QHBoxLayout* line = nameLine(name, desktop ? desktop->colorHex : std::string(), content_, true);
            if (task.members.size() > 1) {
                auto* split = new QToolButton(content_);
                split->setObjectName(QStringLiteral("split:") + qs(name));
                split->setText(QStringLiteral("Split"));
                split->setToolTip(QStringLiteral("Give this desktop a circle of its own"));
                split->setAccessibleName(QStringLiteral("Split \u201c") + qs(name) +
                                         QStringLiteral("\u201d off"));
                split->setFocusPolicy(Qt::StrongFocus);
                connect(split, &QToolButton::clicked, this, [this, name, start] {
                    run([&](SettingsModel& m) { return m.calendar.splitMember(name, start); });
                });
                line->addWidget(split);
            }
            auto* remove = new QToolButton(content_);
            remove->setObjectName(QStringLiteral("removeCleanup:") + qs(name));
            const QIcon icon = themeIcon(QStringLiteral("edit-delete"), palette());
            if (icon.isNull())
                remove->setText(QStringLiteral("✕"));
            else
                remove->setIcon(icon);
            remove->setToolTip(QStringLiteral("Remove this cleanup reminder"));
            remove->setAccessibleName(QStringLiteral("Remove this cleanup reminder"));
            remove->setFocusPolicy(Qt::StrongFocus);
            connect(remove, &QToolButton::clicked, this,
                    [this, name] { run([&](SettingsModel& m) { return m.calendar.removeCleanup(name); }); });
            line->addWidget(remove);
            layout->addLayout(line);
        }
    }
    for (const auto& op : model.calendar.timerOps(start)) {
        any = true;
        layout->addLayout(nameLine(op.workspace, op.colorHex, content_, false));
        if (op.idle)
            layout->addWidget(secondaryLabel(QStringLiteral("idle timer — shifts on next visit"), content_));
        else if (op.drains && op.drainTarget)
            layout->addWidget(secondaryLabel(QStringLiteral("moves into \u201c") + qs(*op.drainTarget) +
                                                 QStringLiteral("\u201d"),
                                             content_));
    }
    if (!any)
        layout->addWidget(secondaryLabel(QStringLiteral("Nothing scheduled on this day."), content_));
}

void CalendarSidebar::buildAdditions(QVBoxLayout* layout, Date start) {
    layout->addWidget(boldLabel(QStringLiteral("Add"), content_));
    if (day_ < today_) {
        layout->addWidget(secondaryLabel(
            QStringLiteral("This day has passed — drag a circle out to a later day."), content_));
        return;
    }
    SettingsModel& model = bridge_.model();
    std::vector<std::string> here;
    for (const auto& task : model.calendar.cleanupCandidates(start))
        here.insert(here.end(), task.members.begin(), task.members.end());
    bool any = false;
    for (const auto& w : bridge_.config().unsortedWorkspaces()) {
        if (std::find(here.begin(), here.end(), w.name) != here.end())
            continue;
        any = true;
        const std::string name = w.name;
        const int side = fontMetrics().height() - 2;
        auto* add = new QPushButton(ColorButton::swatch(QColor(qs(w.colorHex)), side), qs(name), content_);
        add->setObjectName(QStringLiteral("add:") + qs(name));
        add->setAccessibleName(QStringLiteral("Add \u201c") + qs(name) +
                               QStringLiteral("\u201d to this day"));
        add->setAutoDefault(false);
        add->setStyleSheet(QStringLiteral("text-align: left; padding: 3px 8px;"));
        connect(add, &QPushButton::clicked, this, [this, name, start] {
            run([&](SettingsModel& m) { return m.calendar.setCleanupDate(name, start); });
        });
        layout->addWidget(add);
    }
    if (!any)
        layout->addWidget(secondaryLabel(QStringLiteral("Every desktop already has a date here."), content_));
}

} // namespace tessarin
