#pragma once

#include "overlay/OverlayWindow.h"

#include <QColor>
#include <QImage>

namespace tessarin {

// One screen's window of the wallpaper cue: a colour or a stretched picture. With a compositor the
// window's own opacity makes it translucent; without one it paints the wallpaper picture beneath and
// the fill over it at the cue's opacity (or the fill alone, opaque, when no wallpaper picture is known).
class CueBand : public OverlayWindow {
    Q_OBJECT
public:
    struct Look {
        QColor color;       // when `picture` is null
        QImage picture;     // stretched over the whole screen, aspect ratio ignored
        double opacity = 1; // 0 ... 1
        bool composited = true;
        QImage wallpaper; // this screen's part of the wallpaper, without a compositor; may be null
    };

    CueBand(QScreen* screen, Look look, OverlayWindowing& windowing);

    bool painted() const { return painted_; }

signals:
    void firstPainted();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Look look_;
    bool painted_ = false;
};

} // namespace tessarin
