#include "cue/CueBand.h"

#include <QPaintEvent>
#include <QPainter>

namespace tessarin {

CueBand::CueBand(QScreen* screen, Look look, OverlayWindowing& windowing)
    : OverlayWindow(screen, windowing, QStringLiteral("Tessarin cue")), look_(std::move(look)) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    if (look_.composited)
        setWindowOpacity(look_.opacity);
}

void CueBand::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const QRect area = screenArea();
    painter.setClipRegion(event->region());
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    if (!look_.composited && !look_.wallpaper.isNull()) {
        painter.drawImage(area, look_.wallpaper);
        painter.setOpacity(look_.opacity);
    }
    if (look_.picture.isNull())
        painter.fillRect(rect(), look_.color);
    else
        painter.drawImage(area, look_.picture);
    if (!painted_) {
        painted_ = true;
        emit firstPainted();
    }
}

} // namespace tessarin
