#pragma once

#include <QString>
#include <QWidget>
#include <string>

class QLabel;
class QToolButton;

namespace tessarin {

// Small builders the settings windows share.

inline QString qs(const std::string& text) {
    return QString::fromStdString(text);
}
// "“name”", as every message writes names.
QString quoted(const std::string& name);

// A bold label, its font scaled by `scale`.
QLabel* boldLabel(const QString& text, QWidget* parent, double scale = 1.0);
// A wrapped label in the secondary text colour.
QLabel* secondaryLabel(const QString& text, QWidget* parent);
// A flat button with the theme icon `icon` (else the text `fallback`), named `name` for tooltips and
// assistive technology; Tab reaches it.
QToolButton* iconButton(const QString& id, const QString& icon, const QString& fallback, const QString& name,
                        QWidget* parent);

// Shows the window, brought forward. At its first showing it gets `size` (less where the screen is
// smaller) and is centred on the screen under the pointer.
void presentWindow(QWidget& window, QSize size, bool& placed);

} // namespace tessarin
