#include "transition/Backdrop.h"

#include <QPainter>
#include <QScreen>
#include <algorithm>
#include <vector>

namespace tessarin {

namespace {

constexpr int blurRadius = 5;

// One pass along rows (or, transposed, columns) with a running sum; edges repeat the border pixel.
void blurLines(QImage& image, int radius, bool columns) {
    const int lines = columns ? image.width() : image.height();
    const int length = columns ? image.height() : image.width();
    const int stride = static_cast<int>(image.bytesPerLine() / 4);
    auto* pixels = reinterpret_cast<QRgb*>(image.bits());
    std::vector<QRgb> line(static_cast<size_t>(length));
    const int window = 2 * radius + 1;
    for (int l = 0; l < lines; ++l) {
        auto at = [&](int i) -> QRgb& { return columns ? pixels[i * stride + l] : pixels[l * stride + i]; };
        for (int i = 0; i < length; ++i)
            line[static_cast<size_t>(i)] = at(i);
        auto px = [&](int i) { return line[static_cast<size_t>(std::clamp(i, 0, length - 1))]; };
        int r = 0, g = 0, b = 0, a = 0;
        for (int i = -radius; i <= radius; ++i) {
            const QRgb p = px(i);
            r += qRed(p), g += qGreen(p), b += qBlue(p), a += qAlpha(p);
        }
        for (int i = 0; i < length; ++i) {
            at(i) = qRgba(r / window, g / window, b / window, a / window);
            const QRgb in = px(i + radius + 1);
            const QRgb out = px(i - radius);
            r += qRed(in) - qRed(out), g += qGreen(in) - qGreen(out);
            b += qBlue(in) - qBlue(out), a += qAlpha(in) - qAlpha(out);
        }
    }
}

// The tint each blur style lays over the blurred picture.
QColor tint(SwitchBlurStyle style) {
    switch (style) {
    case SwitchBlurStyle::frost:
        return QColor(255, 255, 255, 46);
    case SwitchBlurStyle::light:
        return QColor(255, 255, 255, 90);
    case SwitchBlurStyle::dark:
        return QColor(0, 0, 0, 56);
    case SwitchBlurStyle::soft:
        break;
    }
    return Qt::transparent;
}

} // namespace

void boxBlur(QImage& image, int radius) {
    if (image.isNull() || radius < 1)
        return;
    for (int pass = 0; pass < 3; ++pass) {
        blurLines(image, radius, false);
        blurLines(image, radius, true);
    }
}

Backdrop Backdrop::grab(QScreen* screen, SwitchBlurStyle style, bool keepSharp) {
    Backdrop backdrop;
    const QImage sharp = screen->grabWindow(0).toImage().convertToFormat(QImage::Format_RGB32);
    if (sharp.isNull())
        return backdrop;
    backdrop.blurred = sharp.scaled(std::max(1, sharp.width() / shrink), std::max(1, sharp.height() / shrink),
                                    Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    boxBlur(backdrop.blurred, blurRadius);
    if (const QColor over = tint(style); over.alpha() > 0) {
        QPainter painter(&backdrop.blurred);
        painter.fillRect(backdrop.blurred.rect(), over);
    }
    if (keepSharp)
        backdrop.sharp = sharp;
    return backdrop;
}

} // namespace tessarin
