#include "Pointer.h"

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <stdexcept>

namespace tessarin::e2e {

Pointer::Pointer() : display_(XOpenDisplay(nullptr)) {
    if (!display_)
        throw std::runtime_error("no X display");
    Window root, child;
    int wx, wy;
    unsigned mask;
    XQueryPointer(display_, DefaultRootWindow(display_), &root, &child, &x_, &y_, &wx, &wy, &mask);
}

Pointer::~Pointer() {
    // A test that stopped half-way through a drag leaves no button held for the next one.
    for (const unsigned button : held_)
        XTestFakeButtonEvent(display_, button, False, CurrentTime);
    XSync(display_, False);
    XCloseDisplay(display_);
}

void Pointer::moveTo(int x, int y) {
    XTestFakeMotionEvent(display_, -1, x, y, CurrentTime);
    XSync(display_, False);
    x_ = x;
    y_ = y;
}

void Pointer::glideTo(int x, int y, int steps) {
    const int fromX = x_;
    const int fromY = y_;
    for (int i = 1; i <= steps; ++i)
        moveTo(fromX + (x - fromX) * i / steps, fromY + (y - fromY) * i / steps);
}

void Pointer::press(unsigned button) {
    held_.insert(button);
    XTestFakeButtonEvent(display_, button, True, CurrentTime);
    XSync(display_, False);
}

void Pointer::release(unsigned button) {
    held_.erase(button);
    XTestFakeButtonEvent(display_, button, False, CurrentTime);
    XSync(display_, False);
}

} // namespace tessarin::e2e
