#pragma once

#include "settings/SettingsBridge.h"

#include <QMessageBox>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <functional>

namespace tessarin {

// A question put to the user before an operation: its buttons in order (the first is the default,
// the last cancels) and what to do with the answer (the index of the button, -1 when dismissed).
struct Confirmation {
    QString message;
    QString informative;
    QStringList buttons;
    std::function<void(int button)> done;
    QMessageBox::Icon icon = QMessageBox::Question;
};

// The transient alerts and confirmations of one window, modal to it and never blocking: the event
// loop, the agent's timers and its control interface go on while one is up.
class Dialogs : public QObject {
    Q_OBJECT
public:
    explicit Dialogs(QWidget* window) : QObject(window), window_(window) {}

    void alert(const QString& message, const QString& informative = {});
    void confirm(Confirmation confirmation);
    // Shows what an operation left behind: its refusal, or the folder the Trash did not take.
    void present(const SettingsOutcome& outcome);

    // The dialog up now, if any.
    QMessageBox* current() const { return current_; }

private:
    QWidget* window_;
    QPointer<QMessageBox> current_;
};

} // namespace tessarin
