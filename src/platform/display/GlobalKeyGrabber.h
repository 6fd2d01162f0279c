#pragma once

#include "model/HotKeySpec.h"

#include <cstdint>
#include <functional>
#include <optional>

namespace tessarin {

// Key combinations taken for the whole session, whichever window has the focus.
class GlobalKeyGrabber {
public:
    using Handle = uint32_t;

    virtual ~GlobalKeyGrabber() = default;

    // A grab can work in this session at all.
    virtual bool available() const = 0;
    // Takes the combination; none when it is refused: taken by another client or already by this
    // grabber, or a key this keyboard does not have.
    virtual std::optional<Handle> grab(const HotKeySpec& spec) = 0;
    virtual void release(Handle handle) = 0;
    // While suspended every combination is given back, so that it reaches the focused window (the
    // shortcut recorder); resuming takes them again.
    virtual void setSuspended(bool suspended) = 0;

    // A grabbed combination was pressed; once per press, not again while the key is held. Main thread.
    std::function<void(Handle)> pressed;
    // The keymap or the layout changed; the grabs were renewed and keys may have other names now.
    std::function<void()> keyboardChanged;

protected:
    GlobalKeyGrabber() = default;
    GlobalKeyGrabber(const GlobalKeyGrabber&) = default;
    GlobalKeyGrabber& operator=(const GlobalKeyGrabber&) = default;
};

} // namespace tessarin
