#pragma once

#include "support/Calendar.h"

#include <QDate>
#include <QSpinBox>

namespace tessarin {

// "same day" for 0, "1 day", "<n> days".
QString dayCountText(int days);

// The calendar day of an instant, in the user's time zone.
QDate calendarDate(const Calendar& calendar, Date date);
// The first instant of that calendar day (daylight-saving changes included).
Date startOfDay(const Calendar& calendar, const QDate& day);

// A stepper of whole days that reads "same day", "1 day", "2 days", ...
class DayStepper : public QSpinBox {
public:
    explicit DayStepper(int minimum, QWidget* parent = nullptr);

protected:
    QString textFromValue(int value) const override;
    int valueFromText(const QString& text) const override;
    QValidator::State validate(QString& text, int& pos) const override;
};

} // namespace tessarin
