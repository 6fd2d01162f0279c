#include "settings/widgets/Widgets.h"

#include "settings/NamingRules.h"
#include "settings/widgets/ThemeIcon.h"

#include <QCursor>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QToolButton>

namespace tessarin {

QString quoted(const std::string& name) {
    return qs(quotedName(name));
}

QLabel* boldLabel(const QString& text, QWidget* parent, double scale) {
    auto* label = new QLabel(text, parent);
    QFont font = label->font();
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() * scale);
    label->setFont(font);
    return label;
}

QLabel* secondaryLabel(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setWordWrap(true);
    label->setForegroundRole(QPalette::PlaceholderText);
    return label;
}

QToolButton* iconButton(const QString& id, const QString& icon, const QString& fallback, const QString& name,
                        QWidget* parent) {
    auto* button = new QToolButton(parent);
    button->setObjectName(id);
    const QIcon themed = themeIcon(icon, button->palette());
    if (themed.isNull())
        button->setText(fallback);
    else
        button->setIcon(themed);
    button->setAccessibleName(name);
    button->setToolTip(name);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::StrongFocus);
    return button;
}

void presentWindow(QWidget& window, QSize size, bool& placed) {
    if (!placed) {
        placed = true;
        QScreen* screen = QGuiApplication::screenAt(QCursor::pos());
        if (!screen)
            screen = QGuiApplication::primaryScreen();
        if (screen) {
            const QRect area = screen->availableGeometry();
            size = size.boundedTo(area.size() - QSize(40, 60));
            window.resize(size);
            window.move(area.center() - QPoint(size.width() / 2, size.height() / 2));
        } else {
            window.resize(size);
        }
    }
    if (window.isMinimized())
        window.showNormal();
    window.show();
    window.raise();
    window.activateWindow();
}

} // namespace tessarin
