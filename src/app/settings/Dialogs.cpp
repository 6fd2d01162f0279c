#include "settings/Dialogs.h"

#include <QPushButton>

namespace tessarin {

void Dialogs::alert(const QString& message, const QString& informative) {
    confirm({message, informative, {QStringLiteral("OK")}, {}, QMessageBox::Warning});
}

void Dialogs::confirm(Confirmation confirmation) {
    auto* box = new QMessageBox(window_);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setObjectName(QStringLiteral("SettingsDialog"));
    box->setWindowTitle(QStringLiteral("Tessarin"));
    box->setIcon(confirmation.icon);
    box->setText(confirmation.message);
    box->setInformativeText(confirmation.informative);
    box->setWindowModality(Qt::WindowModal);
    QList<QAbstractButton*> buttons;
    const auto count = confirmation.buttons.size();
    for (qsizetype i = 0; i < count; ++i) {
        // One role for all keeps the buttons in the given order on every desktop's button layout.
        QPushButton* button = box->addButton(confirmation.buttons[i], QMessageBox::ActionRole);
        buttons.append(button);
        if (i == 0)
            box->setDefaultButton(button);
    }
    if (count > 1)
        box->setEscapeButton(buttons.back());
    connect(box, &QMessageBox::finished, this, [box, buttons, done = std::move(confirmation.done)] {
        if (done)
            done(static_cast<int>(buttons.indexOf(box->clickedButton())));
    });
    current_ = box;
    box->open();
}

void Dialogs::present(const SettingsOutcome& outcome) {
    if (outcome.refusal) {
        alert(QString::fromStdString(*outcome.refusal));
    } else if (outcome.trashFailure) {
        Confirmation c{QStringLiteral("Can't do that"),
                       QStringLiteral("Couldn\u2019t move that desktop to the Trash: ") +
                           QString::fromStdString(outcome.trashFailure->reason),
                       {QStringLiteral("OK")},
                       {},
                       QMessageBox::Warning};
        confirm(std::move(c));
    }
}

} // namespace tessarin
