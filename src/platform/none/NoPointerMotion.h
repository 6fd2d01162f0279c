#pragma once

#include "display/PointerMotion.h"

namespace tessarin {

// A session that keeps other applications' pointer movement to itself (Wayland): nothing is reported.
class NoPointerMotion : public PointerMotion {
public:
    bool available() const override { return false; }
    void setActive(bool) override {}
};

} // namespace tessarin
