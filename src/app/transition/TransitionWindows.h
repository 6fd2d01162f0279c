#pragma once

#include "model/SweepBand.h"
#include "overlay/OverlayWindow.h"
#include "transition/Backdrop.h"

namespace tessarin {

// One screen's blur cover: the blurred picture of the screen. With a compositor the window fades in
// and out by its opacity; without one it paints the screen as grabbed with the blur over it at the
// peak opacity, and shows and hides at once.
class CoverWindow : public OverlayWindow {
    Q_OBJECT
public:
    CoverWindow(QScreen* screen, Backdrop backdrop, double peakOpacity, bool composited,
                OverlayWindowing& windowing);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Backdrop backdrop_;
    double peakOpacity_;
    bool composited_;
};

// One screen's sweep: a soft band of blur crossing the screen. With a compositor the window is clear
// but for the band; without one it paints the screen as grabbed beneath the band.
class SweepWindow : public OverlayWindow {
    Q_OBJECT
public:
    SweepWindow(QScreen* screen, Backdrop backdrop, double peakOpacity, SweepBand band, bool composited,
                OverlayWindowing& windowing);

    // Moves the band to `progress` (0 ... 1) of its travel.
    void setProgress(double progress);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // The band's centre at `progress`, in the window's coordinates.
    QPointF centre(double progress) const;
    // The part of the window the band covers at `progress`.
    QRect bandBounds(double progress) const;

    Backdrop backdrop_;
    double peakOpacity_;
    SweepBand band_;
    bool composited_;
    double progress_ = 0;
    QImage layer_; // reused between frames
};

} // namespace tessarin
