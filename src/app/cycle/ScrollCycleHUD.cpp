#include "cycle/ScrollCycleHUD.h"

#include <QCursor>
#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>

namespace tessarin {

namespace {

QLabel* makeLabel(QWidget* parent, int pixelSize, QFont::Weight weight, const QColor& color) {
    auto* label = new QLabel(parent);
    QFont font = label->font();
    font.setPixelSize(pixelSize);
    font.setWeight(weight);
    label->setFont(font);
    label->setAlignment(Qt::AlignCenter);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, color);
    label->setPalette(palette);
    return label;
}

// Long names end in "…" rather than widening the pop-up past its limit.
void setElided(QLabel* label, const std::string& text, int width) {
    label->setText(
        QFontMetrics(label->font()).elidedText(QString::fromStdString(text), Qt::ElideRight, width));
}

} // namespace

ScrollCycleHUD::ScrollCycleHUD()
    : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                           Qt::WindowDoesNotAcceptFocus | Qt::WindowTransparentForInput |
                           Qt::X11BypassWindowManagerHint),
      stack_(new QWidget(this)), prev_(makeLabel(stack_, 15, QFont::Medium, QColor(255, 255, 255, 110))),
      current_(makeLabel(stack_, 26, QFont::DemiBold, Qt::white)),
      next_(makeLabel(stack_, 15, QFont::Medium, QColor(255, 255, 255, 110))), slide_(stack_, "pos"),
      fade_(this, "windowOpacity") {
    setObjectName(QStringLiteral("ScrollCycleHUD"));
    setWindowTitle(QStringLiteral("Tessarin desktops"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_TranslucentBackground);
    auto* layout = new QVBoxLayout(stack_);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(labelSpacing);
    layout->addWidget(prev_);
    layout->addWidget(current_);
    layout->addWidget(next_);
    slide_.setDuration(slideMs);
    slide_.setEasingCurve(QEasingCurve::OutCubic);
    connect(&fade_, &QPropertyAnimation::finished, this, [this] {
        if (hiding_) {
            hiding_ = false;
            QWidget::hide();
        }
    });
}

void ScrollCycleHUD::layoutStack(int width) {
    stack_->setFixedWidth(width - 24);
    stack_->adjustSize();
    stack_->move((width - stack_->width()) / 2, (panelHeight - stack_->height()) / 2);
}

void ScrollCycleHUD::show(const std::vector<std::string>& ring, size_t index, bool wraps, int slide) {
    const auto labels = hudLabels(ring, index, wraps);
    if (!labels)
        return;
    auto widthOf = [](const QLabel* l, const std::string& s) {
        return QFontMetricsF(l->font()).horizontalAdvance(QString::fromStdString(s));
    };
    const double widest = std::max(
        {widthOf(prev_, labels->previous), widthOf(current_, labels->current), widthOf(next_, labels->next)});
    const int width = static_cast<int>(std::ceil(hudWidth(widest)));
    const int textWidth = width - 24;
    setElided(prev_, labels->previous, textWidth);
    setElided(current_, labels->current, textWidth);
    setElided(next_, labels->next, textWidth);
    setFixedSize(width, panelHeight);
    // A rounded window even without a compositor to blend its corners.
    QPainterPath shape;
    shape.addRoundedRect(QRectF(0, 0, width, panelHeight), cornerRadius, cornerRadius);
    setMask(QRegion(shape.toFillPolygon().toPolygon()));
    slide_.stop();
    layoutStack(width);

    QScreen* screen = QGuiApplication::screenAt(QCursor::pos());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (screen)
        move(screen->geometry().center() - QPoint(width / 2, panelHeight / 2));

    const bool visible = isVisible() && !hiding_;
    if (visible && slide != 0) {
        const QPoint rest = stack_->pos();
        slide_.setStartValue(rest + QPoint(0, slide * slideDistance));
        slide_.setEndValue(rest);
        slide_.start();
    }
    hiding_ = false;
    fade_.stop();
    if (!visible)
        setWindowOpacity(0);
    QWidget::show();
    raise();
    fade_.setDuration(fadeInMs);
    fade_.setStartValue(windowOpacity());
    fade_.setEndValue(1.0);
    fade_.start();
}

void ScrollCycleHUD::hide() {
    if (!isVisible() || hiding_)
        return;
    hiding_ = true;
    fade_.stop();
    fade_.setDuration(fadeOutMs);
    fade_.setStartValue(windowOpacity());
    fade_.setEndValue(0.0);
    fade_.start();
}

void ScrollCycleHUD::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(28, 28, 30, 235));
    painter.drawRoundedRect(rect(), cornerRadius, cornerRadius);
}

} // namespace tessarin
