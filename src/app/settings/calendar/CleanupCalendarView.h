#pragma once

#include "settings/SettingsBridge.h"
#include "settings/calendar/CalendarItems.h"

#include <QWidget>
#include <optional>

namespace tessarin {

// The month grid of the cleanup calendar: a circle per cleanup task and per running timer in its day's
// cell, today and past days marked, overdue tasks ringed. A click selects a day; a circle dragged to
// another day moves there, and a cleanup circle dropped onto another cleanup circle merges into it. A
// desktop's name dropped on a day (from the day list) puts it on that day. The arrow keys, Page Up/Down
// and Home move the selected day.
class CleanupCalendarView : public QWidget {
    Q_OBJECT
public:
    static constexpr int rows = 6;
    static constexpr int rowHeight = 46;
    static constexpr int headerHeight = 22; // the weekday names above the grid
    static constexpr int circle = 16;
    static constexpr double mergeRadius = 20;

    struct Marker {
        CalendarItem item;
        QPointF center;
    };

    explicit CleanupCalendarView(SettingsBridge& bridge, QWidget* parent = nullptr);

    // Reads the model's copy again and redraws.
    void refresh();
    void setMonth(const QDate& anyDayOfMonth);
    void shiftMonth(int by);
    QDate month() const { return anchor_; }
    void selectDay(const QDate& day);
    QDate selectedDay() const { return selected_; }
    QDate today() const;

    // The circles as drawn now, with their centres in the widget.
    std::vector<Marker> markers() const;
    // The day of the cell under a point of the widget; none outside the grid.
    std::optional<QDate> dayAt(const QPointF& point) const;
    QRectF cellRect(const QDate& day) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    void daySelected(const QDate& day);
    void monthChanged(const QDate& anchor);
    // An operation ran; what it left behind is to be shown.
    void operated(const tessarin::SettingsOutcome& outcome);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    struct DragState {
        std::string itemId;
        QPointF press;
        QPointF location;
        std::optional<std::string> targetId;
        bool moving = false;
    };

    void drop(const DragState& drag);
    std::optional<Marker> markerAt(const QPointF& point) const;
    const CalendarItem* item(const std::string& id) const;
    void paintCircle(QPainter& painter, const CalendarItem& item, const QPointF& center, bool overdue) const;
    void paintGoo(QPainter& painter, const Marker& from, const QPointF& to) const;
    Date dayStart(const QDate& day) const;
    double cellWidth() const { return width() / 7.0; }
    void run(const std::function<bool(SettingsModel&)>& operation);

    SettingsBridge& bridge_;
    QDate anchor_;
    QDate selected_;
    std::vector<CalendarItem> items_;
    std::optional<DragState> drag_;
};

} // namespace tessarin
