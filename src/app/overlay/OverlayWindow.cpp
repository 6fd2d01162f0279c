#include "overlay/OverlayWindow.h"

#include "display/OverlayWindowing.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QScreen>
#include <QWindow>
#include <algorithm>

namespace tessarin {

namespace {

// The screen's rectangle plus one pixel over an edge no other screen touches. Window managers take an
// undecorated window exactly the size of a monitor for an old-style full-screen window and lift it
// above every other window; one pixel more (off screen) keeps it an ordinary window.
QRect overhanging(const QScreen* screen) {
    const QRect g = screen->geometry();
    const QRect grown[] = {g.adjusted(-1, 0, 0, 0), g.adjusted(0, 0, 1, 0), g.adjusted(0, 0, 0, 1),
                           g.adjusted(0, -1, 0, 0)};
    for (const QRect& candidate : grown) {
        bool touches = false;
        for (const QScreen* other : QGuiApplication::screens())
            touches = touches || (other != screen && other->geometry().intersects(candidate));
        if (!touches)
            return candidate;
    }
    return g.adjusted(-1, 0, 0, 0);
}

} // namespace

OverlayWindow::OverlayWindow(QScreen* screen, OverlayWindowing& windowing, const QString& title)
    // Not Qt::Tool: Qt makes tool windows transients of the application's window group, and window
    // managers stack such transients above the group's ordinary windows (the agent's alerts).
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnBottomHint |
                           Qt::WindowTransparentForInput | Qt::WindowDoesNotAcceptFocus),
      screen_(screen), windowing_(windowing) {
    setAttribute(Qt::WA_ShowWithoutActivating);
    setWindowTitle(title);
    setGeometry(overhanging(screen));
}

void OverlayWindow::present() {
    winId();
    windowHandle()->setScreen(screen_);
    setGeometry(overhanging(screen_));
    windowing_.prepare(*windowHandle());
    show();
    windowing_.passClicksThrough(*windowHandle());
}

void OverlayWindow::waitUntilShown(const std::vector<OverlayWindow*>& windows) {
    if (windows.empty())
        return;
    QElapsedTimer waited;
    waited.start();
    auto shown = [&] {
        return std::all_of(windows.begin(), windows.end(),
                           [](QWidget* w) { return w->windowHandle() && w->windowHandle()->isExposed(); });
    };
    while (!shown() && waited.elapsed() < showWaitMs)
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents |
                                            QEventLoop::ExcludeSocketNotifiers |
                                            QEventLoop::WaitForMoreEvents,
                                        10);
    for (OverlayWindow* w : windows)
        w->repaint();
    windows.front()->windowing_.sync();
}

QRect OverlayWindow::screenArea() const {
    return screen_->geometry().translated(-geometry().topLeft());
}

} // namespace tessarin
