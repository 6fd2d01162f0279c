#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <string>
#include <vector>

namespace tessarin::test {

// The message box up over any window, if any.
inline QMessageBox* openDialog() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* box = qobject_cast<QMessageBox*>(w); box && box->isVisible())
            return box;
    for (QWidget* top : QApplication::topLevelWidgets())
        for (auto* box : top->findChildren<QMessageBox*>())
            if (box->isVisible())
                return box;
    return nullptr;
}

// The buttons' texts as the user reads them ("&&" shows as "&").
inline std::vector<std::string> buttons(QMessageBox* box) {
    std::vector<std::string> texts;
    for (auto* b : box->buttons())
        texts.push_back(QString(b->text()).replace(QStringLiteral("&&"), QStringLiteral("&")).toStdString());
    return texts;
}

// Presses the button that reads `button`.
inline void answer(QMessageBox* box, const QString& button) {
    for (auto* b : box->buttons())
        if (QString(b->text()).replace(QStringLiteral("&&"), QStringLiteral("&")) == button)
            b->click();
}

} // namespace tessarin::test
