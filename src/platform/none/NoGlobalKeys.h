#pragma once

#include "display/GlobalKeyGrabber.h"

namespace tessarin {

// A session where no client can take keys for the whole screen (Wayland without a shortcut service):
// every grab is refused.
class NoGlobalKeys : public GlobalKeyGrabber {
public:
    bool available() const override { return false; }
    std::optional<Handle> grab(const HotKeySpec&) override { return std::nullopt; }
    void release(Handle) override {}
    void setSuspended(bool) override {}
};

} // namespace tessarin
