#include "dock/DockLayout.h"

#include <QFontMetricsF>
#include <QGuiApplication>
#include <algorithm>

namespace tessarin {

namespace {

constexpr int controlSpacing = 2;
constexpr int emptyTextMargin = 8;

} // namespace

QFont dockLabelFont(int pixelSize, bool semibold) {
    QFont font = QGuiApplication::font();
    font.setPixelSize(pixelSize);
    font.setWeight(semibold ? QFont::DemiBold : QFont::Normal);
    return font;
}

DockLayout layoutDock(const FloatingDockState& state) {
    const DockMetrics& m = state.metrics;
    DockLayout layout;
    DockViewSizes& v = layout.sizes;
    v = dockViewSizes(m);
    const bool vertical = m.vertical;

    const QFontMetricsF names(dockLabelFont(m.labelFont, true));
    double widest = 0;
    for (const auto& s : state.surfaces)
        widest = std::max(widest, names.horizontalAdvance(QString::fromStdString(s.name)));
    layout.tileWidth = dockTileWidth(m, widest);
    const int tileW = layout.tileWidth + 2 * v.tileMargin;
    const int tileH = v.tileHeight;

    // The content's blocks along the dock's axis, each with its extent along the axis.
    const int close = v.closeFont;
    const int controlsAlong =
        vertical ? std::max(close, v.arrowHeight) : close + 2 * v.arrowHeight + 2 * controlSpacing;
    const int controlsAcross =
        vertical ? std::max(layout.tileWidth + 10, close + 2 * v.arrowWidth + 2 * controlSpacing)
                 : std::max(close, v.arrowWidth);
    const QFontMetricsF emptyMetrics(dockLabelFont(m.labelFont, false));
    const int emptyW =
        static_cast<int>(std::ceil(emptyMetrics.horizontalAdvance(noDesktopsText))) + 2 * emptyTextMargin;
    const int emptyH = static_cast<int>(std::ceil(emptyMetrics.height()));

    const int n = static_cast<int>(state.surfaces.size());
    const int tilesAlong =
        n == 0 ? (vertical ? emptyH : emptyW) : n * (vertical ? tileH : tileW) + (n - 1) * v.tileSpacing;
    const int tilesAcross = n == 0 ? (vertical ? emptyW : tileH) : (vertical ? tileW : tileH);
    const int across =
        state.showFlipButtons ? std::max(tilesAcross, vertical ? controlsAcross : tileH) : tilesAcross;
    const int controlsExtent = vertical ? controlsAlong : controlsAcross;
    const int along =
        state.showFlipButtons ? controlsExtent + 2 * v.contentSpacing + 1 + tilesAlong : tilesAlong;

    // Positions: `a` runs along the axis, `c` across it, both inside the padding.
    const int padAlong = vertical ? m.padV : m.padH;
    const int padAcross = vertical ? m.padH : m.padV;
    const auto rect = [&](int a, int c, int lengthAlong, int lengthAcross) {
        return vertical ? QRect(padAcross + c, padAlong + a, lengthAcross, lengthAlong)
                        : QRect(padAlong + a, padAcross + c, lengthAlong, lengthAcross);
    };
    layout.size = vertical ? QSize(across + 2 * m.padH, along + 2 * m.padV)
                           : QSize(along + 2 * m.padH, across + 2 * m.padV);

    int a = 0;
    if (state.showFlipButtons) {
        const QRect block = rect(0, (across - (vertical ? controlsAcross : tileH)) / 2, controlsExtent,
                                 vertical ? controlsAcross : tileH);
        const DockHalf first = vertical ? DockHalf::leading : DockHalf::upper;
        const DockHalf second = vertical ? DockHalf::trailing : DockHalf::lower;
        if (vertical) {
            const int row = close + 2 * v.arrowWidth + 2 * controlSpacing;
            int x = block.x() + (block.width() - row) / 2;
            const int cy = block.center().y();
            layout.close = QRect(x, cy - close / 2, close, close);
            x += close + controlSpacing;
            layout.arrows.push_back({first, QRect(x, cy - v.arrowHeight / 2, v.arrowWidth, v.arrowHeight)});
            x += v.arrowWidth + controlSpacing;
            layout.arrows.push_back({second, QRect(x, cy - v.arrowHeight / 2, v.arrowWidth, v.arrowHeight)});
        } else {
            const int column = close + 2 * v.arrowHeight + 2 * controlSpacing;
            int y = block.y() + (block.height() - column) / 2;
            const int cx = block.center().x();
            layout.close = QRect(cx - close / 2, y, close, close);
            y += close + controlSpacing;
            layout.arrows.push_back({first, QRect(cx - v.arrowWidth / 2, y, v.arrowWidth, v.arrowHeight)});
            y += v.arrowHeight + controlSpacing;
            layout.arrows.push_back({second, QRect(cx - v.arrowWidth / 2, y, v.arrowWidth, v.arrowHeight)});
        }
        a = controlsExtent + v.contentSpacing;
        const int inset = (vertical ? controlsAcross : tileH) / 5;
        layout.divider = rect(a, inset, 1, across - 2 * inset);
        a += 1 + v.contentSpacing;
    } else {
        const int margin = v.cornerCloseMargin;
        layout.close = QRect(layout.size.width() - margin - close, margin, close, close);
    }

    if (n == 0) {
        layout.emptyText = rect(a, (across - tilesAcross) / 2, tilesAlong, tilesAcross);
        return layout;
    }
    const int tileAcross = vertical ? tileW : tileH;
    for (const auto& s : state.surfaces) {
        layout.tiles.push_back(
            {s.name, rect(a, (across - tileAcross) / 2, vertical ? tileH : tileW, tileAcross)});
        a += (vertical ? tileH : tileW) + v.tileSpacing;
    }
    return layout;
}

} // namespace tessarin
