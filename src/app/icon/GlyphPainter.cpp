#include "icon/GlyphPainter.h"

#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <algorithm>
#include <cmath>

namespace tessarin {

namespace {

const QColor barColor(0xf4, 0xf4, 0xf4);
const QColor outlineColor(0, 0, 0, 220);

class GlyphIconEngine : public QIconEngine {
public:
    GlyphIconEngine(const BarLengths& widths, const BarLengths& radii) : widths_(widths), radii_(radii) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode, QIcon::State) override {
        const int slot = std::min(rect.width(), rect.height());
        const qreal ratio = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
        const QImage image = renderGlyph(widths_, radii_, slot, ratio);
        painter->drawImage(QRectF(rect.x() + (rect.width() - slot) / 2.0,
                                  rect.y() + (rect.height() - slot) / 2.0, slot, slot),
                           image);
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode, QIcon::State) override {
        return QPixmap::fromImage(renderGlyph(widths_, radii_, std::min(size.width(), size.height()), 1.0));
    }

    QPixmap scaledPixmap(const QSize& size, QIcon::Mode, QIcon::State, qreal scale) override {
        const int slot = std::min(size.width(), size.height());
        return QPixmap::fromImage(renderGlyph(widths_, radii_, static_cast<int>(slot / scale), scale));
    }

    QIconEngine* clone() const override { return new GlyphIconEngine(widths_, radii_); }
    QString key() const override { return QStringLiteral("tessarin-glyph"); }

private:
    BarLengths widths_;
    BarLengths radii_;
};

} // namespace

double glyphPixelsPerPoint(int slot) {
    return std::max(1, slot - 2) / glyph::widthPoints;
}

QImage renderGlyph(const BarLengths& widths, const BarLengths& radii, int slot, qreal devicePixelRatio) {
    const int side = std::max(1, static_cast<int>(std::lround(slot * devicePixelRatio)));
    QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    image.setDevicePixelRatio(devicePixelRatio);

    const double k = glyphPixelsPerPoint(slot); // logical pixels per point
    const double left = (slot - glyph::widthPoints * k) / 2;
    const double top = (slot - glyph::heightPoints * k) / 2;
    // Edges on whole device pixels keep the narrow bars crisp in small trays.
    auto snap = [devicePixelRatio](double v) { return std::round(v * devicePixelRatio) / devicePixelRatio; };
    QPainterPath bars;
    for (const auto& bar : glyphBars(widths, radii)) {
        const double x0 = snap(left + bar.x * k), x1 = snap(left + (bar.x + bar.width) * k);
        const double y0 = snap(top), y1 = snap(top + glyph::heightPoints * k);
        const double r = std::min(bar.radius * k, (x1 - x0) / 2);
        bars.addRoundedRect(QRectF(x0, y0, x1 - x0, y1 - y0), r, r);
    }

    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    // The outline is one device pixel wide outside the bars.
    painter.setPen(QPen(outlineColor, 2.0 / devicePixelRatio));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(bars);
    painter.setPen(Qt::NoPen);
    painter.setBrush(barColor);
    painter.drawPath(bars);
    return image;
}

QIcon glyphIcon(const BarLengths& widths, const BarLengths& radii) {
    return QIcon(new GlyphIconEngine(widths, radii));
}

} // namespace tessarin
