#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <exception>
#include <functional>

namespace tessarin {

// One alert: a message, an explanation and its buttons (the first is the default).
struct AlertSpec {
    enum class Style { informational, warning, critical };
    Style style = Style::informational;
    QString message;
    QString informative;
    QStringList buttons = {QStringLiteral("OK")};
    std::function<void(int button)> done; // the index of the button pressed
};

// The titles and texts `present` shows for an error.
struct ErrorTexts {
    QString message;
    QString informative;
};
ErrorTexts errorTexts(const std::exception& error);

// Modal alerts that do not block: each is application-modal (the tray waits for it) but returns at
// once, so that the event loop, the control interface and timers go on while it is up.
class Alerts : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    void show(AlertSpec spec);
    // The warning-style alert for an error: the texts of errorTexts.
    void showError(const std::exception& error);
    // Brings open alerts to the front.
    void raiseAll();
};

} // namespace tessarin
