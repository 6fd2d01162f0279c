#include "dock/FolderIconCache.h"

#include "model/DesktopPalette.h"

#include <QApplication>
#include <QIcon>
#include <QStyle>
#include <algorithm>

namespace tessarin {

namespace {

struct Rgb {
    double r, g, b;
};

double lum(const Rgb& c) {
    return 0.3 * c.r + 0.59 * c.g + 0.11 * c.b;
}

// The blend-mode helpers of 2D compositing: a colour with another colour's luminosity, brought back into
// gamut.
Rgb clipColor(Rgb c) {
    const double l = lum(c);
    const double n = std::min({c.r, c.g, c.b});
    const double x = std::max({c.r, c.g, c.b});
    const auto scale = [&](double v) {
        if (n < 0)
            v = l + (v - l) * l / (l - n);
        if (x > 1)
            v = l + (v - l) * (1 - l) / (x - l);
        return v;
    };
    return {scale(c.r), scale(c.g), scale(c.b)};
}

Rgb setLum(const Rgb& c, double l) {
    const double d = l - lum(c);
    return clipColor({c.r + d, c.g + d, c.b + d});
}

QIcon folderIcon() {
    QIcon icon = QIcon::fromTheme(QStringLiteral("folder"));
    if (icon.isNull())
        icon = QApplication::style()->standardIcon(QStyle::SP_DirIcon);
    return icon;
}

} // namespace

QImage tintedIcon(const QImage& icon, const QColor& tint) {
    QImage out = icon.convertToFormat(QImage::Format_ARGB32);
    const Rgb source{tint.redF(), tint.greenF(), tint.blueF()};
    for (int y = 0; y < out.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            const QRgb pixel = line[x];
            const double alpha = qAlpha(pixel) / 255.0;
            const Rgb blended =
                setLum(source, lum({qRed(pixel) / 255.0, qGreen(pixel) / 255.0, qBlue(pixel) / 255.0}));
            // The tint filled over the whole square, then kept only where the icon is.
            const auto mix = [&](double s, double b) {
                return static_cast<int>(std::lround(255 * std::clamp((1 - alpha) * s + alpha * b, 0.0, 1.0)));
            };
            line[x] = qRgba(mix(source.r, blended.r), mix(source.g, blended.g), mix(source.b, blended.b),
                            qAlpha(pixel));
        }
    }
    return out;
}

QPixmap FolderIconCache::icon(const std::string& path, int side, const std::optional<std::string>& tintHex,
                              double pixelRatio) {
    const std::string key = path + "|" + std::to_string(side) + "|" + (tintHex ? *tintHex : "-");
    if (const auto hit = cache_.find(key); hit != cache_.end())
        return hit->second;
    const int pixels = static_cast<int>(std::lround(side * pixelRatio));
    QImage image = folderIcon().pixmap(QSize(pixels, pixels)).toImage();
    if (image.size() != QSize(pixels, pixels))
        image = image.scaled(pixels, pixels, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    if (tintHex)
        if (const auto tint = parseHex(*tintHex))
            image = tintedIcon(image, QColor::fromRgbF(static_cast<float>(tint->red),
                                                       static_cast<float>(tint->green),
                                                       static_cast<float>(tint->blue)));
    QPixmap pixmap = QPixmap::fromImage(image);
    pixmap.setDevicePixelRatio(pixelRatio);
    cache_[key] = pixmap;
    return pixmap;
}

} // namespace tessarin
