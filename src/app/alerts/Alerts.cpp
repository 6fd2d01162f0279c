#include "alerts/Alerts.h"

#include "swap/DesktopSwapper.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace tessarin {

ErrorTexts errorTexts(const std::exception& error) {
    if (const auto* swap = dynamic_cast<const SwapError*>(&error);
        swap && swap->kind() == SwapError::Kind::crossVolumeStore)
        return {QStringLiteral("Store is on another volume"),
                QStringLiteral(
                    "Tessarin only runs when the workspace store and ~/Desktop are on the same disk.")};
    return {QStringLiteral("Something went wrong"), QString::fromStdString(error.what())};
}

void Alerts::show(AlertSpec spec) {
    auto* box = new QMessageBox;
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setObjectName(QStringLiteral("TessarinAlert"));
    box->setWindowTitle(QStringLiteral("Tessarin"));
    box->setIcon(spec.style == AlertSpec::Style::critical  ? QMessageBox::Critical
                 : spec.style == AlertSpec::Style::warning ? QMessageBox::Warning
                                                           : QMessageBox::Information);
    box->setText(spec.message);
    box->setInformativeText(spec.informative);
    box->setWindowModality(Qt::ApplicationModal);
    QList<QAbstractButton*> buttons;
    for (int i = 0; i < spec.buttons.size(); ++i) {
        // A button's "&" is its own text, not a mnemonic marker.
        QString text = spec.buttons[i];
        text.replace(QLatin1Char('&'), QStringLiteral("&&"));
        QPushButton* b = box->addButton(text, i == 0 ? QMessageBox::AcceptRole : QMessageBox::ActionRole);
        buttons.append(b);
        if (i == 0)
            box->setDefaultButton(b);
    }
    connect(box, &QMessageBox::finished, this, [box, buttons, done = std::move(spec.done)] {
        if (done)
            done(static_cast<int>(buttons.indexOf(box->clickedButton())));
    });
    box->open();
}

void Alerts::showError(const std::exception& error) {
    const ErrorTexts texts = errorTexts(error);
    show({AlertSpec::Style::warning, texts.message, texts.informative, {QStringLiteral("OK")}, {}});
}

void Alerts::raiseAll() {
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->isVisible() && qobject_cast<QMessageBox*>(w)) {
            w->raise();
            w->activateWindow();
        }
    }
}

} // namespace tessarin
