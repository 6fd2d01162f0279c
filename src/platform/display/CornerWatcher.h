#pragma once

#include "display/PointerMotion.h"
#include "model/Enumerations.h"
#include "support/Geometry.h"
#include "triggers/CornerTrigger.h"

#include <QObject>
#include <QTimer>
#include <chrono>
#include <functional>
#include <vector>

class QScreen;

namespace tessarin {

// Watches the chosen screen corner of every screen: resting the pointer there for the dwell time calls
// onTrigger, once until the pointer leaves again; a drag into the corner never does. Fed by the session's
// pointer movement; keeps no timer but the dwell's.
class CornerWatcher : public QObject {
    Q_OBJECT
public:
    static constexpr std::chrono::milliseconds shortestDwell{20};

    explicit CornerWatcher(PointerMotion& motion, QObject* parent = nullptr);
    ~CornerWatcher() override;

    // The session lets the watcher follow the pointer.
    bool available() const { return motion_.available(); }
    // (Re)starts with that corner and dwell from scratch; `off` stops.
    void start(FloatingDockCorner corner, int64_t dwellMs);
    void stop();
    FloatingDockCorner corner() const { return corner_; }
    int64_t dwellMs() const { return dwell_.count(); }

    // The corner fired. Set once by the controller.
    std::function<void()> onTrigger;

private:
    void pointerMoved(const PointerMotion::Sample& sample);
    void screensChanged();
    void computeHotRects();
    void observeScreens(bool on);
    void watchScreen(QScreen* screen);

    PointerMotion& motion_;
    CornerTrigger trigger_;
    std::vector<Rect> hotRects_; // upwards from the bottom of the main screen, in display pixels
    double mainBottom_ = 0;      // the main screen's bottom edge in the root window's coordinates
    FloatingDockCorner corner_ = FloatingDockCorner::off;
    std::chrono::milliseconds dwell_{50};
    QTimer dwellTimer_;
    std::vector<QMetaObject::Connection> screenConnections_;
};

} // namespace tessarin
