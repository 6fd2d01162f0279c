// Build-time generator of the application icon for the hicolor theme, drawn from the tray glyph's
// geometry: the scalable SVG, the PNG sizes panels and menus ask for (painted from the same shapes),
// and a symbolic SVG that themes recolour for light and dark panels.
//
//   tessarin-icongen OUTDIR
#include "icon/GlyphGeometry.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <cstdio>
#include <vector>

using namespace tessarin;

namespace {

constexpr const char* iconName = "com.orrinvale.Tessarin";
constexpr double canvas = 128; // the SVG's units

struct RoundedRect {
    double x, y, width, height, radius;
};

// The tile behind the glyph and the glyph's bars, in canvas units: the bars fill `glyphWidth` units
// and sit in the middle.
RoundedRect tile() {
    return {8, 8, 112, 112, 26};
}

std::vector<RoundedRect> bars(double size, double glyphWidth) {
    const double k = glyphWidth / glyph::widthPoints;
    const double left = (size - glyphWidth) / 2;
    const double top = (size - glyph::heightPoints * k) / 2;
    std::vector<RoundedRect> out;
    for (const auto& bar : glyphBars(glyph::restingWidths, glyph::restingRadii))
        out.push_back({left + bar.x * k, top, bar.width * k, glyph::heightPoints * k, bar.radius * k});
    return out;
}

const QColor tileTop(0x3f, 0x4c, 0x5e);
const QColor tileBottom(0x1f, 0x26, 0x30);
const QColor barFill(0xf4, 0xf4, 0xf4);
constexpr double glyphWidthOnTile = 76;

QString number(double v) {
    return QString::number(v, 'f', 2);
}

QString rect(const RoundedRect& r, const QString& fill) {
    return QStringLiteral("  <rect x=\"%1\" y=\"%2\" width=\"%3\" height=\"%4\" rx=\"%5\" fill=\"%6\"/>\n")
        .arg(number(r.x), number(r.y), number(r.width), number(r.height), number(r.radius), fill);
}

QString applicationSvg() {
    QString svg = QStringLiteral("<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"128\" height=\"128\" "
                                 "viewBox=\"0 0 128 128\">\n"
                                 "  <defs>\n"
                                 "    <linearGradient id=\"tile\" x1=\"0\" y1=\"0\" x2=\"0\" y2=\"1\">\n"
                                 "      <stop offset=\"0\" stop-color=\"%1\"/>\n"
                                 "      <stop offset=\"1\" stop-color=\"%2\"/>\n"
                                 "    </linearGradient>\n"
                                 "  </defs>\n")
                      .arg(tileTop.name(), tileBottom.name());
    svg += rect(tile(), QStringLiteral("url(#tile)"));
    for (const auto& bar : bars(canvas, glyphWidthOnTile))
        svg += rect(bar, barFill.name());
    return svg + QStringLiteral("</svg>\n");
}

QString symbolicSvg() {
    QString svg = QStringLiteral(
        "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"16\" height=\"16\" viewBox=\"0 0 16 16\">\n");
    for (const auto& bar : bars(16, 15))
        svg += rect(bar, QStringLiteral("#2e3436"));
    return svg + QStringLiteral("</svg>\n");
}

QImage applicationPng(int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / canvas, size / canvas);
    painter.setPen(Qt::NoPen);
    const RoundedRect t = tile();
    QLinearGradient gradient(0, t.y, 0, t.y + t.height);
    gradient.setColorAt(0, tileTop);
    gradient.setColorAt(1, tileBottom);
    painter.setBrush(gradient);
    painter.drawRoundedRect(QRectF(t.x, t.y, t.width, t.height), t.radius, t.radius);
    painter.setBrush(barFill);
    for (const auto& b : bars(canvas, glyphWidthOnTile))
        painter.drawRoundedRect(QRectF(b.x, b.y, b.width, b.height), b.radius, b.radius);
    return image;
}

bool write(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: tessarin-icongen OUTDIR\n", stderr);
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    const QString name = QString::fromLatin1(iconName);
    bool ok = write(out + QStringLiteral("/scalable/apps/") + name + QStringLiteral(".svg"),
                    applicationSvg().toUtf8()) &&
              write(out + QStringLiteral("/symbolic/apps/") + name + QStringLiteral("-symbolic.svg"),
                    symbolicSvg().toUtf8());
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256, 512}) {
        const QString folder = out + QStringLiteral("/%1x%1/apps").arg(size);
        QDir().mkpath(folder);
        ok = ok && applicationPng(size).save(folder + QStringLiteral("/") + name + QStringLiteral(".png"));
    }
    if (!ok) {
        std::fputs("tessarin-icongen: could not write the icons\n", stderr);
        return 1;
    }
    return 0;
}
