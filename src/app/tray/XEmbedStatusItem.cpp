#include "tray/XEmbedStatusItem.h"

#include "icon/GlyphPainter.h"

#include <QCursor>
#include <QGuiApplication>
#include <QWheelEvent>
#include <cstdlib>

namespace tessarin {

XEmbedStatusItem::XEmbedStatusItem(QObject* parent) : StatusItem(parent) {
    icon_.setToolTip(QStringLiteral("Tessarin"));
    icon_.installEventFilter(this);
    connect(&icon_, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        // A quick second click is a click of its own, not a double click.
        if (reason == QSystemTrayIcon::Trigger || reason == QSystemTrayIcon::DoubleClick)
            emit clicked(QGuiApplication::queryKeyboardModifiers() & Qt::AltModifier);
        else if (reason == QSystemTrayIcon::Context || reason == QSystemTrayIcon::MiddleClick)
            emit contextClicked();
    });
    icon_.setIcon(glyphIcon(glyph::restingWidths, glyph::restingRadii));
    icon_.show();
}

void XEmbedStatusItem::setGlyph(const BarLengths& widths, const BarLengths& radii) {
    icon_.setIcon(glyphIcon(widths, radii));
}

void XEmbedStatusItem::setMenu(const StatusMenuModel& model) {
    if (!model.toolTip.empty())
        icon_.setToolTip(QString::fromStdString(model.toolTip));
}

QPoint XEmbedStatusItem::menuPosition() const {
    const QRect r = icon_.geometry();
    if (!r.isValid())
        return QCursor::pos();
    return r.bottomLeft() + QPoint(0, 1);
}

bool XEmbedStatusItem::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &icon_ && event->type() == QEvent::Wheel) {
        const auto* wheel = static_cast<QWheelEvent*>(event);
        ScrollInput input;
        input.momentum = wheel->phase() == Qt::ScrollMomentum;
        input.precise = !wheel->pixelDelta().isNull();
        if (input.precise) {
            input.deltaY = wheel->pixelDelta().y();
            emit scrolled(input);
            return true;
        }
        const int steps = wheelSteps_.feed(wheel->angleDelta().y());
        for (int i = 0; i < std::abs(steps); ++i) {
            input.deltaY = steps < 0 ? 1 : -1;
            emit scrolled(input);
        }
        return true;
    }
    return StatusItem::eventFilter(watched, event);
}

} // namespace tessarin
