#include "settings/calendar/CleanupCalendarView.h"

#include "settings/widgets/DayStepper.h"

#include <QKeyEvent>
#include <QLinearGradient>
#include <QMimeData>
#include <QPainter>
#include <QPainterPath>
#include <cmath>

namespace tessarin {

namespace {

constexpr int dragThreshold = 4;

QColor overdueColor() {
    return QColor(0xE0, 0x40, 0x30);
}

double distance(const QPointF& a, const QPointF& b) {
    return std::hypot(a.x() - b.x(), a.y() - b.y());
}

} // namespace

CleanupCalendarView::CleanupCalendarView(SettingsBridge& bridge, QWidget* parent)
    : QWidget(parent), bridge_(bridge) {
    setFocusPolicy(Qt::StrongFocus);
    setAcceptDrops(true);
    setMouseTracking(false);
    setAccessibleName(QStringLiteral("Cleanup calendar"));
    anchor_ = today();
    selected_ = anchor_;
    refresh();
}

QSize CleanupCalendarView::sizeHint() const {
    return {7 * 62, headerHeight + rows * rowHeight};
}

QSize CleanupCalendarView::minimumSizeHint() const {
    return {7 * 40, headerHeight + rows * rowHeight};
}

QDate CleanupCalendarView::today() const {
    const SettingsState& state = bridge_.model().state;
    return calendarDate(state.calendar(), state.clock().now());
}

Date CleanupCalendarView::dayStart(const QDate& day) const {
    return startOfDay(bridge_.model().state.calendar(), day);
}

void CleanupCalendarView::refresh() {
    items_ = calendarItems(bridge_.config(), bridge_.model().calendar.timerOps());
    if (drag_ && !item(drag_->itemId))
        drag_.reset();
    update();
}

void CleanupCalendarView::setMonth(const QDate& anyDayOfMonth) {
    const QDate first(anyDayOfMonth.year(), anyDayOfMonth.month(), 1);
    if (first == QDate(anchor_.year(), anchor_.month(), 1))
        return;
    anchor_ = first;
    update();
    emit monthChanged(anchor_);
}

void CleanupCalendarView::shiftMonth(int by) {
    setMonth(QDate(anchor_.year(), anchor_.month(), 1).addMonths(by));
}

void CleanupCalendarView::selectDay(const QDate& day) {
    if (!day.isValid())
        return;
    setMonth(day);
    if (selected_ == day)
        return;
    selected_ = day;
    update();
    emit daySelected(day);
}

QRectF CleanupCalendarView::cellRect(const QDate& day) const {
    const auto days = monthGrid(anchor_, QLocale().firstDayOfWeek(), rows);
    for (std::size_t i = 0; i < days.size(); ++i)
        if (days[i] == day)
            return QRectF(static_cast<double>(i % 7) * cellWidth(),
                          headerHeight + static_cast<double>(i / 7) * rowHeight, cellWidth(), rowHeight);
    return {};
}

std::optional<QDate> CleanupCalendarView::dayAt(const QPointF& point) const {
    if (point.x() < 0 || point.y() < headerHeight || point.x() >= width())
        return std::nullopt;
    const int column = static_cast<int>(std::floor(point.x() / cellWidth()));
    const int row = static_cast<int>(std::floor((point.y() - headerHeight) / rowHeight));
    if (column < 0 || column > 6 || row < 0 || row >= rows)
        return std::nullopt;
    return monthGrid(anchor_, QLocale().firstDayOfWeek(), rows)[static_cast<std::size_t>(row * 7 + column)];
}

std::vector<CleanupCalendarView::Marker> CleanupCalendarView::markers() const {
    std::vector<Marker> result;
    const Calendar& calendar = bridge_.model().state.calendar();
    const int perRow = std::max(1, static_cast<int>((cellWidth() - 6) / (circle + 4)));
    for (const QDate& day : monthGrid(anchor_, QLocale().firstDayOfWeek(), rows)) {
        const QRectF cell = cellRect(day);
        int n = 0;
        for (const auto& item : items_) {
            if (calendarDate(calendar, item.date) != day)
                continue;
            const int column = n % perRow, line = n / perRow;
            ++n;
            if (line > 0)
                continue; // more than fit: counted in the cell, not drawn
            result.push_back({item, QPointF(cell.left() + 5 + column * (circle + 4) + circle / 2.0,
                                            cell.top() + 20 + line * (circle + 3) + circle / 2.0)});
        }
    }
    return result;
}

const CalendarItem* CleanupCalendarView::item(const std::string& id) const {
    for (const auto& i : items_)
        if (i.id == id)
            return &i;
    return nullptr;
}

std::optional<CleanupCalendarView::Marker> CleanupCalendarView::markerAt(const QPointF& point) const {
    for (const auto& m : markers())
        if (distance(m.center, point) <= circle / 2.0 + 2)
            return m;
    return std::nullopt;
}

void CleanupCalendarView::paintCircle(QPainter& painter, const CalendarItem& item, const QPointF& center,
                                      bool overdue) const {
    const QRectF box(center.x() - circle / 2.0, center.y() - circle / 2.0, circle, circle);
    QLinearGradient gradient(box.topLeft(), box.bottomRight());
    const auto& stops = item.stops;
    for (std::size_t i = 0; i < stops.size(); ++i)
        gradient.setColorAt(
            stops.size() == 1 ? 0.0 : static_cast<double>(i) / static_cast<double>(stops.size() - 1),
            QColor(QString::fromStdString(stops[i])));
    if (stops.size() == 1)
        gradient.setColorAt(1.0, QColor(QString::fromStdString(stops[0])));
    QPen outline(palette().color(QPalette::Base), 1.5);
    if (item.automatic && item.idle)
        outline.setStyle(Qt::DotLine);
    painter.setPen(outline);
    painter.setBrush(gradient);
    painter.drawEllipse(box);
    if (item.automatic) {
        // A timer: a clock hand, it fires by itself.
        painter.setPen(QPen(Qt::white, 1.6, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(center, center + QPointF(0, -circle / 3.2));
        painter.drawLine(center, center + QPointF(circle / 4.0, 0));
    }
    if (overdue) {
        painter.setPen(QPen(overdueColor(), 2));
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(box.adjusted(-2.5, -2.5, 2.5, 2.5));
    }
}

void CleanupCalendarView::paintGoo(QPainter& painter, const Marker& from, const QPointF& to) const {
    // A liquid bridge between the dragged circle and the circle it would merge into.
    QPainterPath path;
    const QPointF d = to - from.center;
    const double length = std::max(1.0, std::hypot(d.x(), d.y()));
    const QPointF normal(-d.y() / length, d.x() / length);
    const double r = circle / 2.0, waist = r * 0.55;
    const QPointF middle = (from.center + to) / 2.0;
    path.moveTo(from.center + normal * r);
    path.quadTo(middle + normal * waist, to + normal * r);
    path.lineTo(to - normal * r);
    path.quadTo(middle - normal * waist, from.center - normal * r);
    path.closeSubpath();
    QLinearGradient gradient(from.center, to);
    gradient.setColorAt(0, QColor(QString::fromStdString(from.item.stops.front())));
    gradient.setColorAt(1, QColor(QString::fromStdString(from.item.stops.back())));
    painter.setPen(Qt::NoPen);
    painter.setBrush(gradient);
    painter.drawPath(path);
}

void CleanupCalendarView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPalette& p = palette();
    painter.fillRect(rect(), p.color(QPalette::Base));

    const Qt::DayOfWeek first = QLocale().firstDayOfWeek();
    painter.setPen(p.color(QPalette::PlaceholderText));
    for (int i = 0; i < 7; ++i) {
        const int weekday = (static_cast<int>(first) - 1 + i) % 7 + 1;
        painter.drawText(QRectF(i * cellWidth(), 0, cellWidth(), headerHeight), Qt::AlignCenter,
                         QLocale().dayName(weekday, QLocale::ShortFormat));
    }

    const QDate now = today();
    const auto days = monthGrid(anchor_, first, rows);
    QColor past = p.color(QPalette::WindowText);
    past.setAlphaF(0.06);
    const Calendar& calendar = bridge_.model().state.calendar();
    for (const QDate& day : days) {
        const QRectF cell = cellRect(day);
        if (day < now)
            painter.fillRect(cell, past);
        painter.setPen(QPen(p.color(QPalette::Midlight), 1));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(cell);
        QFont font = painter.font();
        font.setBold(day == now);
        painter.setFont(font);
        const bool inMonth = day.month() == anchor_.month();
        painter.setPen(day == now ? p.color(QPalette::Highlight)
                                  : p.color(inMonth ? QPalette::Text : QPalette::PlaceholderText));
        painter.drawText(cell.adjusted(5, 2, -4, 0), Qt::AlignLeft | Qt::AlignTop,
                         QString::number(day.day()));
        if (day == now) {
            // Today's divider along the top of its cell.
            painter.fillRect(QRectF(cell.left() + 1, cell.top() + 1, cell.width() - 2, 3),
                             p.color(QPalette::Highlight));
        }
        if (day == selected_) {
            painter.setPen(QPen(p.color(QPalette::Highlight), hasFocus() ? 2.5 : 1.5));
            painter.drawRoundedRect(cell.adjusted(2, 2, -2, -2), 5, 5);
        }
        int count = 0;
        for (const auto& item : items_)
            if (calendarDate(calendar, item.date) == day)
                ++count;
        const int perRow = std::max(1, static_cast<int>((cellWidth() - 6) / (circle + 4)));
        if (count > perRow) {
            painter.setPen(p.color(QPalette::PlaceholderText));
            painter.drawText(cell.adjusted(0, 2, -4, 0), Qt::AlignRight | Qt::AlignTop,
                             QStringLiteral("+%1").arg(count - perRow));
        }
    }
    QFont font = painter.font();
    font.setBold(false);
    painter.setFont(font);

    const auto shown = markers();
    const Marker* dragged = nullptr;
    const Marker* target = nullptr;
    for (const auto& m : shown) {
        if (drag_ && drag_->moving && m.item.id == drag_->itemId) {
            dragged = &m;
            continue;
        }
        if (drag_ && drag_->moving && drag_->targetId && m.item.id == *drag_->targetId) {
            target = &m;
            continue;
        }
        const bool overdue =
            m.item.kind == CalendarItem::Kind::cleanup && calendarDate(calendar, m.item.date) < now;
        paintCircle(painter, m.item, m.center, overdue);
    }
    if (dragged) {
        if (target) {
            paintGoo(painter, *dragged, target->center);
            paintCircle(painter, target->item, target->center, false);
        }
        painter.setOpacity(0.9);
        paintCircle(painter, dragged->item, drag_->location, false);
        painter.setOpacity(1);
    }
}

void CleanupCalendarView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    setFocus(Qt::MouseFocusReason);
    const QPointF at = event->position();
    if (const auto m = markerAt(at)) {
        drag_ = DragState{m->item.id, at, at, std::nullopt, false};
        return;
    }
    if (const auto day = dayAt(at))
        selectDay(*day);
}

void CleanupCalendarView::mouseMoveEvent(QMouseEvent* event) {
    if (!drag_)
        return;
    const QPointF at = event->position();
    if (!drag_->moving && distance(at, drag_->press) < dragThreshold)
        return;
    drag_->moving = true;
    drag_->location = at;
    // The nearest mergeable circle within reach becomes the merge target.
    drag_->targetId.reset();
    double nearest = mergeRadius;
    for (const auto& m : markers()) {
        if (m.item.id == drag_->itemId || !m.item.mergeable)
            continue;
        const double d = distance(m.center, at);
        if (d < nearest) {
            nearest = d;
            drag_->targetId = m.item.id;
        }
    }
    update();
}

void CleanupCalendarView::mouseReleaseEvent(QMouseEvent* event) {
    if (!drag_ || event->button() != Qt::LeftButton)
        return;
    DragState finished = *drag_;
    drag_.reset();
    update();
    if (finished.moving) {
        finished.location = event->position();
        drop(finished);
    } else if (const auto day = dayAt(finished.press)) {
        selectDay(*day);
    }
}

void CleanupCalendarView::drop(const DragState& drag) {
    const auto day = dayAt(drag.location);
    const CalendarItem* dragged = item(drag.itemId);
    if (!day || !dragged || *day < today())
        return; // outside the grid or on a past day: the circle returns
    const CalendarItem* target = drag.targetId ? item(*drag.targetId) : nullptr;
    if (dragged->kind == CalendarItem::Kind::cleanup && target &&
        target->kind == CalendarItem::Kind::cleanup) {
        const Uuid source = dragged->task->id, into = target->task->id;
        run([&](SettingsModel& m) { return m.calendar.mergeTasks(source, into); });
    } else if (dragged->kind == CalendarItem::Kind::cleanup) {
        const Uuid id = dragged->task->id;
        const Date date = dayStart(*day);
        run([&](SettingsModel& m) { return m.calendar.rescheduleTask(id, date); });
    } else {
        const std::string name = dragged->timer->workspace;
        const Date date = dayStart(*day);
        run([&](SettingsModel& m) { return m.calendar.rescheduleTimer(name, date); });
    }
    selectDay(*day);
}

void CleanupCalendarView::run(const std::function<bool(SettingsModel&)>& operation) {
    emit operated(bridge_.run(operation));
}

void CleanupCalendarView::keyPressEvent(QKeyEvent* event) {
    QDate next;
    switch (event->key()) {
    case Qt::Key_Left:
        next = selected_.addDays(layoutDirection() == Qt::RightToLeft ? 1 : -1);
        break;
    case Qt::Key_Right:
        next = selected_.addDays(layoutDirection() == Qt::RightToLeft ? -1 : 1);
        break;
    case Qt::Key_Up:
        next = selected_.addDays(-7);
        break;
    case Qt::Key_Down:
        next = selected_.addDays(7);
        break;
    case Qt::Key_PageUp:
        next = selected_.addMonths(-1);
        break;
    case Qt::Key_PageDown:
        next = selected_.addMonths(1);
        break;
    case Qt::Key_Home:
        next = today();
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    selectDay(next);
}

void CleanupCalendarView::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasText())
        event->acceptProposedAction();
}

void CleanupCalendarView::dragMoveEvent(QDragMoveEvent* event) {
    const auto day = dayAt(event->position());
    if (day && *day >= today())
        event->acceptProposedAction();
    else
        event->ignore();
}

void CleanupCalendarView::dropEvent(QDropEvent* event) {
    const auto day = dayAt(event->position());
    const std::string name = event->mimeData()->text().toStdString();
    if (!day || *day < today() || !bridge_.config().findWorkspace(name)) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    const Date date = dayStart(*day);
    run([&](SettingsModel& m) { return m.calendar.setCleanupDate(name, date); });
    selectDay(*day);
}

} // namespace tessarin
