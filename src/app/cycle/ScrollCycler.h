#pragma once

#include "cycle/ScrollCycleHUD.h"
#include "cycle/ScrollGesture.h"
#include "model/Config.h"

#include <QObject>
#include <QTimer>
#include <functional>

namespace tessarin {

// Scroll-to-cycle over the tray icon: previews desktops in the pop-up while the wheel turns and
// switches to the previewed one 0.4 s after the last event (unless it is already active).
class ScrollCycler : public QObject {
    Q_OBJECT
public:
    static constexpr int commitDelayMs = 400;

    using ReadDocument = std::function<Config()>;
    using Switch = std::function<void(const std::string& name)>;

    ScrollCycler(ReadDocument read, Switch switchTo, QObject* parent = nullptr);

    void handle(const ScrollInput& input);
    void commit();

    const ScrollGesture& gesture() const { return gesture_; }
    ScrollCycleHUD& hud() { return hud_; }

private:
    ReadDocument read_;
    Switch switchTo_;
    ScrollGesture gesture_;
    ScrollCycleHUD hud_;
    QTimer commitTimer_;
};

} // namespace tessarin
