#include "display/CornerWatcher.h"

#include "triggers/CornerHitTest.h"

#include <QGuiApplication>
#include <QScreen>

namespace tessarin {

namespace {

// A screen's frame in the display's own pixels: Qt keeps a screen's origin and scales its size.
Rect nativeFrame(const QScreen* screen) {
    const QRect g = screen->geometry();
    const double ratio = screen->devicePixelRatio();
    return {double(g.x()), double(g.y()), g.width() * ratio, g.height() * ratio};
}

} // namespace

CornerWatcher::CornerWatcher(PointerMotion& motion, QObject* parent) : QObject(parent), motion_(motion) {
    dwellTimer_.setSingleShot(true);
    connect(&dwellTimer_, &QTimer::timeout, this, [this] {
        if (trigger_.dwellCompleted() && onTrigger)
            onTrigger();
    });
    motion_.moved = [this](const PointerMotion::Sample& sample) { pointerMoved(sample); };
}

CornerWatcher::~CornerWatcher() {
    stop();
    motion_.moved = nullptr;
}

void CornerWatcher::start(FloatingDockCorner corner, int64_t dwellMs) {
    if (corner == FloatingDockCorner::off) {
        stop();
        return;
    }
    corner_ = corner;
    dwell_ = std::max(std::chrono::milliseconds(dwellMs), shortestDwell);
    computeHotRects();
    dwellTimer_.stop();
    trigger_.reset();
    motion_.setActive(true);
    observeScreens(true);
}

void CornerWatcher::stop() {
    corner_ = FloatingDockCorner::off;
    hotRects_.clear();
    dwellTimer_.stop();
    trigger_.reset();
    motion_.setActive(false);
    observeScreens(false);
}

void CornerWatcher::computeHotRects() {
    hotRects_.clear();
    const QScreen* primary = QGuiApplication::primaryScreen();
    if (!primary)
        return;
    mainBottom_ = nativeFrame(primary).maxY();
    for (const QScreen* screen : QGuiApplication::screens()) {
        const Rect down = nativeFrame(screen);
        const Rect up{down.x, mainBottom_ - down.maxY(), down.width, down.height};
        if (const auto square = CornerHitTest::rect(corner_, up))
            hotRects_.push_back(*square);
    }
}

void CornerWatcher::pointerMoved(const PointerMotion::Sample& sample) {
    if (corner_ == FloatingDockCorner::off)
        return;
    const bool inside = CornerHitTest::isInside(hotRects_, {double(sample.x), mainBottom_ - sample.y});
    if (!inside && !trigger_.isInside)
        return; // movement far from the corner changes nothing
    switch (trigger_.pointerMoved(inside, sample.dragging)) {
    case CornerTrigger::Outcome::startDwell:
        dwellTimer_.start(dwell_);
        break;
    case CornerTrigger::Outcome::cancelDwell:
        dwellTimer_.stop();
        break;
    case CornerTrigger::Outcome::idle:
        break;
    }
}

void CornerWatcher::screensChanged() {
    if (corner_ == FloatingDockCorner::off)
        return;
    computeHotRects();
    dwellTimer_.stop();
    trigger_.reset();
}

void CornerWatcher::watchScreen(QScreen* screen) {
    screenConnections_.push_back(
        connect(screen, &QScreen::geometryChanged, this, &CornerWatcher::screensChanged));
}

void CornerWatcher::observeScreens(bool on) {
    if (on == !screenConnections_.empty())
        return;
    if (!on) {
        for (const auto& c : screenConnections_)
            disconnect(c);
        screenConnections_.clear();
        return;
    }
    screenConnections_.push_back(connect(qGuiApp, &QGuiApplication::screenAdded, this, [this](QScreen* s) {
        watchScreen(s);
        screensChanged();
    }));
    screenConnections_.push_back(
        connect(qGuiApp, &QGuiApplication::screenRemoved, this, &CornerWatcher::screensChanged));
    screenConnections_.push_back(
        connect(qGuiApp, &QGuiApplication::primaryScreenChanged, this, &CornerWatcher::screensChanged));
    for (QScreen* screen : QGuiApplication::screens())
        watchScreen(screen);
}

} // namespace tessarin
