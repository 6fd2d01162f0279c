#pragma once

#include "triggers/KeyboardLayout.h"

#include <cstdint>
#include <vector>
#include <xcb/xcb.h>

struct xkb_context;
struct xkb_keymap;
struct xkb_state;

namespace tessarin {

// Names keys in the current keyboard layout through xkbcommon: the X server's keymap and layout group
// when there is a connection, else the layout the XKB_DEFAULT_* variables name (US by default). Keys are
// named as they type without modifiers, from a state of our own that holds only the layout group: the
// live state would turn letters into control characters while Ctrl is held. Loaded on first use.
class XkbKeyboard : public KeyboardLayout {
public:
    // `connection` (not owned) may be null.
    explicit XkbKeyboard(xcb_connection_t* connection = nullptr);
    ~XkbKeyboard() override;
    XkbKeyboard(const XkbKeyboard&) = delete;
    XkbKeyboard& operator=(const XkbKeyboard&) = delete;

    // The keymap or the layout changed: read them again on next use.
    void reload();

    std::optional<std::string> printableKeyName(uint32_t keyCode) const override;
    std::optional<std::string> keySymbolName(uint32_t keyCode) const override;
    std::optional<uint32_t> keyCodeNamed(std::string_view name) const override;

    // The X keycodes of the keys that carry `keysym` in any layout or level.
    std::vector<uint32_t> xKeycodesWithSymbol(uint32_t keysym) const;

private:
    void load() const;
    void release() const;
    // The X keycode of a stored key code that this keymap has; 0 when none.
    uint32_t xKeycode(uint32_t keyCode) const;

    xcb_connection_t* connection_;
    xkb_context* context_;
    mutable xkb_keymap* keymap_ = nullptr;
    mutable xkb_state* state_ = nullptr;
    mutable uint32_t group_ = 0;
};

} // namespace tessarin
