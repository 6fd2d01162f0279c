#include "settings/calendar/CalendarWindow.h"

#include "settings/widgets/Widgets.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QScrollArea>
#include <QShortcut>
#include <QToolButton>
#include <QVBoxLayout>

namespace tessarin {

CalendarWindow::CalendarWindow(SettingsBridge& bridge, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint), dialogs_(this),
      view_(new CleanupCalendarView(bridge, this)), sidebar_(new CalendarSidebar(bridge, this)),
      title_(new QLabel(this)) {
    setObjectName(QStringLiteral("CalendarWindow"));
    setWindowTitle(QStringLiteral("Cleanup calendar"));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(16, 12, 16, 16);
    layout->setSpacing(16);

    auto* left = new QVBoxLayout;
    auto* header = new QHBoxLayout;
    QFont font = title_->font();
    font.setPointSizeF(font.pointSizeF() * 1.4);
    font.setBold(true);
    title_->setFont(font);
    title_->setObjectName(QStringLiteral("monthTitle"));
    header->addWidget(title_, 1);
    QToolButton* previous = iconButton(QStringLiteral("previousMonth"), QStringLiteral("go-previous"),
                                       QStringLiteral("‹"), QStringLiteral("Previous month"), this);
    auto* today = new QPushButton(QStringLiteral("Today"), this);
    today->setObjectName(QStringLiteral("today"));
    today->setAutoDefault(false);
    QToolButton* next = iconButton(QStringLiteral("nextMonth"), QStringLiteral("go-next"),
                                   QStringLiteral("›"), QStringLiteral("Next month"), this);
    header->addWidget(previous);
    header->addWidget(today);
    header->addWidget(next);
    left->addLayout(header);
    left->addWidget(view_, 0);
    left->addStretch(1);
    layout->addLayout(left, 1);

    auto* scroll = new QScrollArea(this);
    scroll->setWidget(sidebar_);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setFixedWidth(230);
    layout->addWidget(scroll);

    connect(previous, &QToolButton::clicked, view_, [this] { view_->shiftMonth(-1); });
    connect(next, &QToolButton::clicked, view_, [this] { view_->shiftMonth(1); });
    connect(today, &QPushButton::clicked, view_, [this] { view_->selectDay(view_->today()); });
    connect(view_, &CleanupCalendarView::monthChanged, this, &CalendarWindow::showMonth);
    connect(view_, &CleanupCalendarView::daySelected, sidebar_,
            [this](const QDate& day) { sidebar_->show(day, view_->today()); });
    connect(view_, &CleanupCalendarView::operated, &dialogs_, &Dialogs::present);
    connect(sidebar_, &CalendarSidebar::operated, &dialogs_, &Dialogs::present);
    connect(&bridge, &SettingsBridge::changed, this, [this] {
        view_->refresh();
        sidebar_->show(view_->selectedDay(), view_->today());
    });
    auto* close = new QShortcut(QKeySequence::Close, this);
    connect(close, &QShortcut::activated, this, &QWidget::close);
    showMonth();
    sidebar_->show(view_->selectedDay(), view_->today());
    setTabOrder(view_, previous);
    setTabOrder(previous, today);
    setTabOrder(today, next);
}

void CalendarWindow::showMonth() {
    title_->setText(QLocale().toString(view_->month(), QStringLiteral("MMMM yyyy")));
}

void CalendarWindow::present() {
    view_->refresh();
    sidebar_->refresh();
    presentWindow(*this, initialSize.expandedTo(sizeHint()), placed_);
    view_->setFocus(Qt::ActiveWindowFocusReason);
}

} // namespace tessarin
