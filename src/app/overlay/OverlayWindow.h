#pragma once

#include <QWidget>
#include <vector>

namespace tessarin {

class OverlayWindowing;

// A window that covers one screen for the agent's overlays: frameless, click-through (its frame too),
// never focused, on every workspace, out of taskbars and pagers, kept below every ordinary window.
class OverlayWindow : public QWidget {
    Q_OBJECT
public:
    OverlayWindow(QScreen* screen, OverlayWindowing& windowing, const QString& title);

    static constexpr int showWaitMs = 300;

    // Shows the window over its screen.
    void present();
    // Runs the event loop (no input, no sockets) until every window is mapped, at most showWaitMs, then
    // paints them and waits for the window system: they are on screen when this returns.
    static void waitUntilShown(const std::vector<OverlayWindow*>& windows);
    // The screen's area in the window's coordinates (the window reaches a pixel beyond it).
    QRect screenArea() const;

private:
    QScreen* screen_;
    OverlayWindowing& windowing_;
};

} // namespace tessarin
