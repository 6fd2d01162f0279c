#include "settings/widgets/DayStepper.h"

namespace tessarin {

QString dayCountText(int days) {
    if (days == 0)
        return QStringLiteral("same day");
    return QString::number(days) + QStringLiteral(" day") + (days == 1 ? QString() : QStringLiteral("s"));
}

QDate calendarDate(const Calendar& calendar, Date date) {
    const CalendarDay day = calendar.day(date);
    return QDate(day.year, day.month, day.day);
}

Date startOfDay(const Calendar& calendar, const QDate& day) {
    // Noon exists on every day; its start of day is the first instant of the day.
    const auto noon = calendar.date(CalendarDay{day.year(), day.month(), day.day()}, 12, 0);
    return noon ? calendar.startOfDay(*noon) : Date{};
}

DayStepper::DayStepper(int minimum, QWidget* parent) : QSpinBox(parent) {
    setRange(minimum, 365);
}

QString DayStepper::textFromValue(int value) const {
    return dayCountText(value);
}

int DayStepper::valueFromText(const QString& text) const {
    if (text.trimmed().startsWith(QStringLiteral("same")))
        return 0;
    return text.section(QLatin1Char(' '), 0, 0).toInt();
}

QValidator::State DayStepper::validate(QString& text, int&) const {
    const QString t = text.trimmed();
    if (t.isEmpty() || QStringLiteral("same day").startsWith(t))
        return t == QStringLiteral("same day") && minimum() == 0 ? QValidator::Acceptable
                                                                 : QValidator::Intermediate;
    bool ok = false;
    const int n = t.section(QLatin1Char(' '), 0, 0).toInt(&ok);
    if (!ok)
        return QValidator::Invalid;
    return n >= minimum() && n <= maximum() ? QValidator::Acceptable : QValidator::Intermediate;
}

} // namespace tessarin
