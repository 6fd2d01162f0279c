#pragma once

#include <set>

struct _XDisplay;

namespace tessarin::e2e {

// The pointer moved and its buttons pressed as by a real mouse, through XTest: unlike a warp (`xdotool
// mousemove`), each movement also reaches the clients that follow raw motion.
class Pointer {
public:
    Pointer();
    ~Pointer();
    Pointer(const Pointer&) = delete;
    Pointer& operator=(const Pointer&) = delete;

    void moveTo(int x, int y);
    // From where it is to (x, y) in `steps` movements.
    void glideTo(int x, int y, int steps = 12);
    void press(unsigned button = 1);
    void release(unsigned button = 1);

private:
    _XDisplay* display_;
    int x_ = 0;
    int y_ = 0;
    std::set<unsigned> held_; // buttons pressed and not yet released
};

} // namespace tessarin::e2e
