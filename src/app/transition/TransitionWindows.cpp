#include "transition/TransitionWindows.h"

#include <QLinearGradient>
#include <QPaintEvent>
#include <QPainter>
#include <cmath>

namespace tessarin {

CoverWindow::CoverWindow(QScreen* screen, Backdrop backdrop, double peakOpacity, bool composited,
                         OverlayWindowing& windowing)
    : OverlayWindow(screen, windowing, QStringLiteral("Tessarin cover")), backdrop_(std::move(backdrop)),
      peakOpacity_(peakOpacity), composited_(composited) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void CoverWindow::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const QRect area = screenArea();
    painter.setClipRegion(event->region());
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    if (!composited_) {
        painter.drawImage(area, backdrop_.sharp);
        painter.setOpacity(peakOpacity_);
    }
    painter.drawImage(area, backdrop_.blurred);
}

SweepWindow::SweepWindow(QScreen* screen, Backdrop backdrop, double peakOpacity, SweepBand band,
                         bool composited, OverlayWindowing& windowing)
    : OverlayWindow(screen, windowing, QStringLiteral("Tessarin sweep")), backdrop_(std::move(backdrop)),
      peakOpacity_(peakOpacity), band_(band), composited_(composited) {
    if (composited_)
        setAttribute(Qt::WA_TranslucentBackground);
    else
        setAttribute(Qt::WA_OpaquePaintEvent);
}

QPointF SweepWindow::centre(double progress) const {
    return QPointF(band_.centreX(progress), band_.centreY(progress)) + screenArea().topLeft();
}

QRect SweepWindow::bandBounds(double progress) const {
    const QPointF centre = this->centre(progress);
    const QPointF across = QPointF(band_.normalX, band_.normalY) * (band_.width / 2);
    const QPointF along = QPointF(-band_.normalY, band_.normalX) * (band_.length / 2);
    QPolygonF corners;
    corners << centre + across + along << centre + across - along << centre - across - along
            << centre - across + along;
    return corners.boundingRect().toAlignedRect().adjusted(-1, -1, 1, 1) & rect();
}

void SweepWindow::setProgress(double progress) {
    const QRect before = bandBounds(progress_);
    progress_ = progress;
    update(QRegion(before) + bandBounds(progress_));
}

void SweepWindow::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.setClipRegion(event->region());
    const QRect area = screenArea();
    if (!composited_)
        painter.drawImage(area, backdrop_.sharp);
    const QRect bounds = bandBounds(progress_);
    if (bounds.isEmpty())
        return;
    if (layer_.size() != bounds.size())
        layer_ = QImage(bounds.size(), QImage::Format_ARGB32_Premultiplied);
    layer_.fill(Qt::transparent);
    {
        QPainter band(&layer_);
        band.setRenderHint(QPainter::SmoothPixmapTransform);
        band.drawImage(QRectF(area).translated(-bounds.topLeft()), backdrop_.blurred);
        // Only the alpha matters: the blur shows fully in the band's middle and fades to both edges.
        const QPointF centre = this->centre(progress_) - bounds.topLeft();
        const QPointF across = QPointF(band_.normalX, band_.normalY) * (band_.width / 2);
        QLinearGradient mask(centre - across, centre + across);
        const QColor full(0, 0, 0, static_cast<int>(std::lround(255 * peakOpacity_)));
        mask.setColorAt(0.0, Qt::transparent);
        mask.setColorAt(0.46, full);
        mask.setColorAt(0.54, full);
        mask.setColorAt(1.0, Qt::transparent);
        band.setCompositionMode(QPainter::CompositionMode_DestinationIn);
        band.fillRect(layer_.rect(), mask);
    }
    painter.drawImage(bounds.topLeft(), layer_);
}

} // namespace tessarin
