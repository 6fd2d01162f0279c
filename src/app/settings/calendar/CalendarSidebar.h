#pragma once

#include "settings/SettingsBridge.h"

#include <QDate>
#include <QWidget>

class QVBoxLayout;

namespace tessarin {

// What is scheduled on the calendar's selected day: the cleanup reminders (each to split onto a circle of
// its own, drag to another day or remove), the timers that end that day, and the archived desktops still
// to sort that can be added to it.
class CalendarSidebar : public QWidget {
    Q_OBJECT
public:
    CalendarSidebar(SettingsBridge& bridge, QWidget* parent = nullptr);

    void show(const QDate& day, const QDate& today);
    void refresh() { show(day_, today_); }

signals:
    void operated(const tessarin::SettingsOutcome& outcome);

private:
    void buildScheduled(QVBoxLayout* layout, Date start);
    void buildAdditions(QVBoxLayout* layout, Date start);
    void run(const std::function<bool(SettingsModel&)>& operation);

    SettingsBridge& bridge_;
    QDate day_;
    QDate today_;
    QWidget* content_ = nullptr;
};

} // namespace tessarin
