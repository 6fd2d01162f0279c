#include "dock/FloatingDockView.h"

#include "dock/DockStyle.h"
#include "dock/FolderIconCache.h"
#include "model/DesktopPalette.h"

#include <QApplication>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QToolTip>
#include <cmath>

namespace tessarin {

namespace {

QColor hexColor(const std::string& hex) {
    const auto rgb = parseHex(hex);
    if (!rgb)
        return QColor(Qt::gray);
    return QColor::fromRgbF(static_cast<float>(rgb->red), static_cast<float>(rgb->green),
                            static_cast<float>(rgb->blue));
}

QString helpForHalf(DockHalf half) {
    switch (half) {
    case DockHalf::upper:
        return QStringLiteral("Move to the top half of the screen");
    case DockHalf::lower:
        return QStringLiteral("Move to the bottom half of the screen");
    case DockHalf::leading:
        return QStringLiteral("Move to the left half of the screen");
    case DockHalf::trailing:
        return QStringLiteral("Move to the right half of the screen");
    }
    return {};
}

// A chevron pointing towards `half`, drawn as two strokes inside `box`.
QPainterPath chevron(const QRectF& box, DockHalf half) {
    const QPointF c = box.center();
    const double h = box.height() * 0.32;
    const double w = h * 1.6;
    QPainterPath path;
    switch (half) {
    case DockHalf::upper:
        path.moveTo(c.x() - w / 2, c.y() + h / 2);
        path.lineTo(c.x(), c.y() - h / 2);
        path.lineTo(c.x() + w / 2, c.y() + h / 2);
        break;
    case DockHalf::lower:
        path.moveTo(c.x() - w / 2, c.y() - h / 2);
        path.lineTo(c.x(), c.y() + h / 2);
        path.lineTo(c.x() + w / 2, c.y() - h / 2);
        break;
    case DockHalf::leading:
        path.moveTo(c.x() + h / 2, c.y() - w / 2);
        path.lineTo(c.x() - h / 2, c.y());
        path.lineTo(c.x() + h / 2, c.y() + w / 2);
        break;
    case DockHalf::trailing:
        path.moveTo(c.x() - h / 2, c.y() - w / 2);
        path.lineTo(c.x() + h / 2, c.y());
        path.lineTo(c.x() - h / 2, c.y() + w / 2);
        break;
    }
    return path;
}

} // namespace

FloatingDockView::FloatingDockView(FloatingDockModel& model, FolderIconCache& icons, Callbacks callbacks,
                                   QWidget* parent)
    : QWidget(parent), model_(model), icons_(icons), callbacks_(std::move(callbacks)) {
    setAttribute(Qt::WA_TranslucentBackground);
    setMouseTracking(false);
    connect(&model_, &FloatingDockModel::changed, this, [this] {
        relayout();
        update();
    });
    relayout();
}

void FloatingDockView::relayout() {
    layout_ = layoutDock(model_.state());
    model_.tileFrames.clear();
    for (const auto& tile : layout_.tiles)
        model_.tileFrames[tile.name] = QRectF(tile.frame);
}

QSize FloatingDockView::fittingSize() {
    relayout();
    return layout_.size;
}

void FloatingDockView::setTranslucent(bool translucent) {
    if (translucent_ == translucent)
        return;
    translucent_ = translucent;
    update();
}

const DockLayout::Tile* FloatingDockView::tileAt(const QPoint& point) const {
    for (const auto& tile : layout_.tiles)
        if (tile.frame.contains(point))
            return &tile;
    return nullptr;
}

const DockLayout::Arrow* FloatingDockView::arrowAt(const QPoint& point) const {
    for (const auto& arrow : layout_.arrows)
        if (arrow.frame.contains(point))
            return &arrow;
    return nullptr;
}

bool FloatingDockView::arrowEnabled(const DockLayout::Arrow& arrow) const {
    return model_.state().half != arrow.half;
}

std::optional<QString> FloatingDockView::helpAt(const QPoint& point) const {
    if (layout_.close.contains(point))
        return QStringLiteral("Close");
    if (const auto* arrow = arrowAt(point))
        return helpForHalf(arrow->half);
    if (const auto* tile = tileAt(point)) {
        const QString name = QString::fromStdString(tile->name);
        if (model_.state().activeName() == tile->name)
            return name + QStringLiteral(" (current desktop)");
        return QStringLiteral("Move files to ") + name;
    }
    return std::nullopt;
}

bool FloatingDockView::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        if (const auto text = helpAt(help->pos()))
            QToolTip::showText(help->globalPos(), *text, this);
        else
            QToolTip::hideText();
        return true;
    }
    return QWidget::event(event);
}

void FloatingDockView::paintEvent(QPaintEvent*) {
    const FloatingDockState& state = model_.state();
    const DockColors colors = dockColors(state.appearance, state.material, translucent_, state.accentHex);
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);

    const double radius = layout_.sizes.cardRadius;
    const QRectF card = QRectF(rect());
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.fillRect(rect(), Qt::transparent);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter.setPen(Qt::NoPen);
    painter.setBrush(colors.card);
    painter.drawRoundedRect(card, radius, radius);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(colors.border, 1));
    painter.drawRoundedRect(card.adjusted(0.5, 0.5, -0.5, -0.5), radius - 0.5, radius - 0.5);

    paintControls(painter, colors);
    if (state.surfaces.empty()) {
        painter.setFont(dockLabelFont(state.metrics.labelFont, false));
        painter.setPen(colors.secondary);
        painter.drawText(layout_.emptyText, Qt::AlignCenter, QString::fromLatin1(noDesktopsText));
        return;
    }
    for (size_t i = 0; i < layout_.tiles.size() && i < state.surfaces.size(); ++i)
        paintTile(painter, layout_.tiles[i], state.surfaces[i], colors);
}

void FloatingDockView::paintControls(QPainter& painter, const DockColors& colors) {
    // The close button: a filled circle with a cross cut out of it.
    const QRectF close = QRectF(layout_.close).adjusted(1, 1, -1, -1);
    QPainterPath disc;
    disc.addEllipse(close);
    QPainterPath cross;
    const QPointF c = close.center();
    const double arm = close.width() * 0.2;
    QPainterPathStroker stroker;
    stroker.setWidth(std::max(1.5, close.width() * 0.11));
    stroker.setCapStyle(Qt::RoundCap);
    QPainterPath lines;
    lines.moveTo(c.x() - arm, c.y() - arm);
    lines.lineTo(c.x() + arm, c.y() + arm);
    lines.moveTo(c.x() + arm, c.y() - arm);
    lines.lineTo(c.x() - arm, c.y() + arm);
    cross = stroker.createStroke(lines);
    painter.setPen(Qt::NoPen);
    painter.setBrush(colors.secondary);
    painter.drawPath(disc.subtracted(cross));

    for (const auto& arrow : layout_.arrows) {
        painter.save();
        painter.setOpacity(arrowEnabled(arrow) ? 0.7 : 0.25);
        QPen pen(colors.accent, std::max(1.5, layout_.sizes.arrowFont * 0.18));
        pen.setCapStyle(Qt::RoundCap);
        pen.setJoinStyle(Qt::RoundJoin);
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(chevron(QRectF(arrow.frame), arrow.half));
        painter.restore();
    }
    if (!layout_.divider.isEmpty())
        painter.fillRect(layout_.divider, colors.border);
}

void FloatingDockView::paintTile(QPainter& painter, const DockLayout::Tile& tile, const DockSurface& surface,
                                 const DockColors& colors) {
    const FloatingDockState& state = model_.state();
    const DockMetrics& m = state.metrics;
    const QRect f = tile.frame;
    if (state.targetedName == surface.name) {
        QColor highlight = colors.accent;
        highlight.setAlphaF(0.28f);
        painter.setPen(Qt::NoPen);
        painter.setBrush(highlight);
        const double r = layout_.sizes.targetRadius;
        painter.drawRoundedRect(QRectF(f), r, r);
    }
    const int iconTop = f.y() + 2;
    const std::optional<std::string> tint =
        state.colorFolders ? std::optional<std::string>(surface.colorHex) : std::nullopt;
    const QPixmap icon = icons_.icon(surface.folderPath, m.icon, tint, devicePixelRatioF());
    painter.drawPixmap(QRect(f.x() + (f.width() - m.icon) / 2, iconTop, m.icon, m.icon), icon);

    const int lineHeight = nearestInt(1.3 * m.labelFont);
    const QRect label(f.x() + layout_.sizes.tileMargin, iconTop + m.icon + 3, layout_.tileWidth, lineHeight);
    const QFont font = dockLabelFont(m.labelFont, surface.isActive);
    painter.setFont(font);
    painter.setPen(colors.text);
    const QString name =
        QFontMetrics(font).elidedText(QString::fromStdString(surface.name), Qt::ElideRight, label.width());
    painter.drawText(label, Qt::AlignCenter, name);

    if (surface.isActive) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(hexColor(surface.colorHex));
        painter.drawEllipse(QRectF(f.x() + (f.width() - 4) / 2.0, label.bottom() + 1 + 3, 4, 4));
    }
}

void FloatingDockView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    const QPoint at = event->position().toPoint();
    if (layout_.close.contains(at) || arrowAt(at))
        return; // a control acts on release
    pressGlobal_ = event->globalPosition().toPoint();
    pressWindowPos_ = window()->pos();
    moving_ = false;
}

void FloatingDockView::mouseMoveEvent(QMouseEvent* event) {
    if (!pressGlobal_)
        return;
    const QPoint delta = event->globalPosition().toPoint() - *pressGlobal_;
    if (!moving_ && delta.manhattanLength() < QApplication::startDragDistance())
        return;
    moving_ = true;
    dragTarget_ = pressWindowPos_ + delta;
    window()->move(dragTarget_);
}

void FloatingDockView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    const QPoint at = event->position().toPoint();
    const bool wasPressed = pressGlobal_.has_value();
    const bool moved = moving_;
    pressGlobal_.reset();
    moving_ = false;
    if (moved) {
        if (callbacks_.onDragged)
            callbacks_.onDragged(dragTarget_);
        return;
    }
    if (layout_.close.contains(at)) {
        if (callbacks_.onClose)
            callbacks_.onClose();
        return;
    }
    if (const auto* arrow = arrowAt(at)) {
        if (arrowEnabled(*arrow) && callbacks_.onFlip)
            callbacks_.onFlip(arrow->half);
        return;
    }
    const auto* tile = tileAt(at);
    if (wasPressed && tile && model_.state().activeName() != tile->name && callbacks_.onSwitch)
        callbacks_.onSwitch(tile->name);
}

} // namespace tessarin
