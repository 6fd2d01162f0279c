#pragma once

#include "icon/GlyphAnimation.h"
#include "model/Enumerations.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <functional>

namespace tessarin {

// Draws the tray glyph and plays the switch animations at 60 frames a second. The last frame of an
// animation becomes the resting shape (the mirror leaves the glyph mirrored until the next one).
class MenuBarIconAnimator : public QObject {
    Q_OBJECT
public:
    using Show = std::function<void(const BarLengths& widths, const BarLengths& radii)>;
    static constexpr int frameIntervalMs = 1000 / 60;

    explicit MenuBarIconAnimator(QObject* parent = nullptr);

    // Hands over the icon: from now on every frame goes to `show`, starting with the resting shape.
    void install(Show show);
    void playSwitch(MenuBarAnimation style);
    // Stops any animation and restores the initial shape.
    void resetToRest();

    bool animating() const { return timer_.isActive(); }
    const BarLengths& restingWidths() const { return restingWidths_; }
    const BarLengths& restingRadii() const { return restingRadii_; }

private:
    void play(double seconds, GlyphFrame frame);
    void tick();

    Show show_;
    QTimer timer_;
    QElapsedTimer clock_;
    double duration_ = 0;
    GlyphFrame frame_;
    BarLengths restingWidths_ = glyph::restingWidths;
    BarLengths restingRadii_ = glyph::restingRadii;
};

} // namespace tessarin
