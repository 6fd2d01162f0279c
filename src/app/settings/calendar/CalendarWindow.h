#pragma once

#include "settings/Dialogs.h"
#include "settings/calendar/CalendarSidebar.h"
#include "settings/calendar/CleanupCalendarView.h"

#include <QWidget>

class QLabel;

namespace tessarin {

// "Cleanup calendar": the month grid with its title and month buttons, and the selected day's list.
// It floats above other windows; closing hides it, so the next opening shows the same window.
class CalendarWindow : public QWidget {
    Q_OBJECT
public:
    static constexpr QSize initialSize{700, 480};

    explicit CalendarWindow(SettingsBridge& bridge, QWidget* parent = nullptr);

    void present();
    CleanupCalendarView& view() { return *view_; }
    CalendarSidebar& sidebar() { return *sidebar_; }
    Dialogs& dialogs() { return dialogs_; }

private:
    void showMonth();

    Dialogs dialogs_;
    CleanupCalendarView* view_;
    CalendarSidebar* sidebar_;
    QLabel* title_;
    bool placed_ = false;
};

} // namespace tessarin
