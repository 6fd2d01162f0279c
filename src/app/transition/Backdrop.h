#pragma once

#include "model/Enumerations.h"

#include <QImage>

class QScreen;

namespace tessarin {

// What one screen shows, grabbed at the start of a transition: blurred (grabbed, shrunk by four,
// box-blurred, tinted by the blur style; enlarged when painted) and, for painting without a
// compositor, as it was.
struct Backdrop {
    static constexpr int shrink = 4;

    QImage blurred; // a quarter of the screen's size
    QImage sharp;   // null unless asked for

    static Backdrop grab(QScreen* screen, SwitchBlurStyle style, bool keepSharp);
};

// Three passes of a box blur of `radius` pixels, in place; approaches a Gaussian blur.
void boxBlur(QImage& image, int radius);

} // namespace tessarin
