#include "transition/SwitchTransitionOverlay.h"

#include "display/OverlayWindowing.h"

#include <QEasingCurve>
#include <QGuiApplication>
#include <QPropertyAnimation>
#include <QScreen>
#include <QTimer>
#include <QVariantAnimation>
#include <QWindow>
#include <cmath>

namespace tessarin {

namespace {

int milliseconds(double seconds) {
    return std::max(0, static_cast<int>(std::lround(seconds * 1000)));
}

// The platform's standard timing curves as cubic Béziers.
QEasingCurve bezier(double x1, double y1, double x2, double y2) {
    QEasingCurve curve(QEasingCurve::BezierSpline);
    curve.addCubicBezierSegment(QPointF(x1, y1), QPointF(x2, y2), QPointF(1, 1));
    return curve;
}
QEasingCurve easeOut() {
    return bezier(0, 0, 0.58, 1);
}
QEasingCurve easeInEaseOut() {
    return bezier(0.42, 0, 0.58, 1);
}

void fade(QWidget* window, double from, double to, int ms, const QEasingCurve& curve) {
    auto* animation = new QPropertyAnimation(window, "windowOpacity", window);
    animation->setStartValue(from);
    animation->setEndValue(to);
    animation->setDuration(ms);
    animation->setEasingCurve(curve);
    animation->start(QAbstractAnimation::DeleteWhenStopped);
}

} // namespace

SwitchTransitionOverlay::SwitchTransitionOverlay(OverlayWindowing& windowing, Log& log, QObject* parent)
    : QObject(parent), windowing_(windowing), log_(log) {}

SwitchTransitionOverlay::~SwitchTransitionOverlay() = default;

void SwitchTransitionOverlay::cover(SwitchTransition style, SwitchBlurStyle blurStyle, double peakOpacity,
                                    double fadeInSeconds) {
    if (style != SwitchTransition::blur)
        return;
    teardown();
    ++coverNumber_;
    const bool composited = windowing_.compositing();
    std::vector<OverlayWindow*> shown;
    for (QScreen* screen : QGuiApplication::screens()) {
        Backdrop backdrop = Backdrop::grab(screen, blurStyle, !composited);
        if (backdrop.blurred.isNull())
            continue;
        auto window =
            std::make_unique<CoverWindow>(screen, std::move(backdrop), peakOpacity, composited, windowing_);
        if (composited)
            window->setWindowOpacity(0);
        window->present();
        window->raise();
        if (composited)
            fade(window.get(), 0, peakOpacity, milliseconds(fadeInSeconds), easeOut());
        shown.push_back(window.get());
        covers_.push_back(std::move(window));
    }
    OverlayWindow::waitUntilShown(shown);
}

void SwitchTransitionOverlay::reveal(SwitchTransition, double fadeOutSeconds) {
    if (covers_.empty())
        return;
    std::vector<std::unique_ptr<CoverWindow>> revealed = std::move(covers_);
    covers_.clear();
    if (!windowing_.compositing() || fadeOutSeconds <= 0)
        return; // the windows go with `revealed`
    const int ms = milliseconds(fadeOutSeconds);
    for (auto& window : revealed) {
        // Stop a fade-in still running; the fade-out starts from what is on screen now.
        for (auto* running : window->findChildren<QPropertyAnimation*>())
            running->stop();
        fade(window.get(), window->windowOpacity(), 0, ms, easeInEaseOut());
        fading_.push_back(std::move(window));
    }
    const quint64 number = coverNumber_;
    QTimer::singleShot(ms, this, [this, number] {
        // Covers revealed later are still fading: leave them to their own timers.
        if (number == coverNumber_)
            fading_.clear();
    });
}

void SwitchTransitionOverlay::teardown() {
    covers_.clear();
    fading_.clear();
}

void SwitchTransitionOverlay::sweep(SwitchBlurStyle blurStyle, double peakOpacity, double bandFraction,
                                    double durationSeconds, double startDelaySeconds, double angleDegrees) {
    teardownSweep();
    const quint64 number = ++sweepNumber_;
    const bool composited = windowing_.compositing();
    std::vector<OverlayWindow*> shown;
    std::vector<QPointer<SweepWindow>> windows;
    for (QScreen* screen : QGuiApplication::screens()) {
        Backdrop backdrop = Backdrop::grab(screen, blurStyle, !composited);
        if (backdrop.blurred.isNull())
            continue;
        const QSize size = screen->geometry().size();
        auto window = std::make_unique<SweepWindow>(
            screen, std::move(backdrop), peakOpacity,
            SweepBand::on(size.width(), size.height(), angleDegrees, bandFraction), composited, windowing_);
        window->present();
        window->raise();
        shown.push_back(window.get());
        windows.emplace_back(window.get());
        sweeps_.push_back(std::move(window));
    }
    if (sweeps_.empty())
        return;
    OverlayWindow::waitUntilShown(shown);

    // The band waits at its start, off screen, through the delay, then crosses.
    QPointer<QVariantAnimation> travel = new QVariantAnimation(this);
    travel->setStartValue(0.0);
    travel->setEndValue(1.0);
    travel->setDuration(milliseconds(durationSeconds));
    travel->setEasingCurve(easeInEaseOut());
    connect(travel, &QVariantAnimation::valueChanged, this, [windows](const QVariant& value) {
        for (const auto& window : windows)
            if (window)
                window->setProgress(value.toDouble());
    });
    // The animation runs on this thread: a switch that holds it past the delay delays the band, and
    // the windows go once the band has crossed, not at a fixed time.
    connect(travel, &QAbstractAnimation::finished, this, [this, number] {
        QTimer::singleShot(sweepEndMs, this, [this, number] {
            if (number == sweepNumber_) // else a newer sweep replaced these windows
                teardownSweep();
        });
    });
    QTimer::singleShot(milliseconds(startDelaySeconds), travel.data(),
                       [travel] { travel->start(QAbstractAnimation::DeleteWhenStopped); });
}

void SwitchTransitionOverlay::teardownSweep() {
    sweeps_.clear();
}

void SwitchTransitionOverlay::raise() {
    for (auto& window : covers_)
        window->raise();
    for (auto& window : fading_)
        window->raise();
    for (auto& window : sweeps_)
        window->raise();
}

} // namespace tessarin
