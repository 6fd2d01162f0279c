#include "Keys.h"

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <stdexcept>
#include <vector>

namespace tessarin::e2e {

Keyboard::Keyboard() : display_(XOpenDisplay(nullptr)) {
    if (!display_)
        throw std::runtime_error("no X display");
}

Keyboard::~Keyboard() {
    XCloseDisplay(display_);
}

void Keyboard::tap(std::initializer_list<int> keycodes) {
    for (const int k : keycodes)
        XTestFakeKeyEvent(display_, static_cast<unsigned>(k), True, CurrentTime);
    for (auto it = std::rbegin(keycodes); it != std::rend(keycodes); ++it)
        XTestFakeKeyEvent(display_, static_cast<unsigned>(*it), False, CurrentTime);
    XSync(display_, False);
}

Keyboard& Keyboard::warm() {
    static Keyboard keys;
    static const bool tapped = (keys.tap({keycode::shift}), true);
    (void)tapped;
    return keys;
}

unsigned Keyboard::lockedModifiers() {
    XkbStateRec state;
    XkbGetState(display_, XkbUseCoreKbd, &state);
    return state.locked_mods;
}

void Keyboard::setLocks(bool capsLock, bool numLock) {
    if (((lockedModifiers() & LockMask) != 0) != capsLock)
        tap({keycode::capsLock});
    if (((lockedModifiers() & Mod2Mask) != 0) != numLock)
        tap({keycode::numLock});
}

bool Keyboard::grab(int keycode, unsigned modifiers) {
    static bool refused = false;
    refused = false;
    XSetErrorHandler([](Display*, XErrorEvent* error) {
        refused = refused || error->error_code == BadAccess;
        return 0;
    });
    XGrabKey(display_, keycode, modifiers, DefaultRootWindow(display_), False, GrabModeAsync, GrabModeAsync);
    XSync(display_, False);
    XSetErrorHandler(nullptr);
    return !refused;
}

} // namespace tessarin::e2e
