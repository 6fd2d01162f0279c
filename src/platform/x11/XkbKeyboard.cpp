#include "x11/XkbKeyboard.h"

#include "triggers/KeyCodes.h"

#include <xkbcommon/xkbcommon-x11.h>
#include <xkbcommon/xkbcommon.h>

namespace tessarin {

namespace {

// The code points of short UTF-8 text; empty for malformed text.
std::vector<uint32_t> decode(const std::string& text) {
    std::vector<uint32_t> points;
    for (size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const int length = lead < 0x80         ? 1
                           : (lead >> 5) == 6  ? 2
                           : (lead >> 4) == 14 ? 3
                           : (lead >> 3) == 30 ? 4
                                               : 0;
        if (length == 0 || i + length > text.size())
            return {};
        uint32_t point = length == 1 ? lead : lead & (0x7F >> length);
        for (int k = 1; k < length; ++k)
            point = (point << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
        points.push_back(point);
        i += length;
    }
    return points;
}

std::string utf8Of(xkb_keysym_t keysym) {
    char buffer[16] = {};
    const int size = xkb_keysym_to_utf8(keysym, buffer, sizeof buffer);
    return size > 1 ? std::string(buffer) : std::string();
}

} // namespace

XkbKeyboard::XkbKeyboard(xcb_connection_t* connection)
    : connection_(connection), context_(xkb_context_new(XKB_CONTEXT_NO_FLAGS)) {}

XkbKeyboard::~XkbKeyboard() {
    release();
    xkb_context_unref(context_);
}

void XkbKeyboard::release() const {
    xkb_state_unref(state_);
    xkb_keymap_unref(keymap_);
    state_ = nullptr;
    keymap_ = nullptr;
}

void XkbKeyboard::reload() {
    release();
}

void XkbKeyboard::load() const {
    if (keymap_ || !context_)
        return;
    group_ = 0;
    if (connection_ && xkb_x11_setup_xkb_extension(
                           connection_, XKB_X11_MIN_MAJOR_XKB_VERSION, XKB_X11_MIN_MINOR_XKB_VERSION,
                           XKB_X11_SETUP_XKB_EXTENSION_NO_FLAGS, nullptr, nullptr, nullptr, nullptr)) {
        const int32_t device = xkb_x11_get_core_keyboard_device_id(connection_);
        if (device >= 0)
            keymap_ =
                xkb_x11_keymap_new_from_device(context_, connection_, device, XKB_KEYMAP_COMPILE_NO_FLAGS);
        if (keymap_) {
            if (xkb_state* live = xkb_x11_state_new_from_device(keymap_, connection_, device)) {
                group_ = xkb_state_serialize_layout(live, XKB_STATE_LAYOUT_EFFECTIVE);
                xkb_state_unref(live);
            }
        }
    }
    if (!keymap_)
        keymap_ = xkb_keymap_new_from_names(context_, nullptr, XKB_KEYMAP_COMPILE_NO_FLAGS);
    if (!keymap_)
        return;
    state_ = xkb_state_new(keymap_);
    if (state_)
        xkb_state_update_mask(state_, 0, 0, 0, 0, 0, group_);
}

uint32_t XkbKeyboard::xKeycode(uint32_t keyCode) const {
    load();
    const auto evdev = evdevKeyCode(keyCode);
    if (!evdev || !keymap_ || !state_)
        return 0;
    const uint32_t keycode = *evdev + xKeycodeOffset;
    if (keycode < xkb_keymap_min_keycode(keymap_) || keycode > xkb_keymap_max_keycode(keymap_))
        return 0;
    return keycode;
}

std::optional<std::string> XkbKeyboard::printableKeyName(uint32_t keyCode) const {
    const uint32_t keycode = xKeycode(keyCode);
    if (keycode == 0)
        return std::nullopt;
    char buffer[64] = {};
    if (xkb_state_key_get_utf8(state_, keycode, buffer, sizeof buffer) <= 0)
        return std::nullopt;
    const std::string text(buffer);
    const auto points = decode(text);
    if (points.empty() || points.front() < 0x20 || points.front() == 0x7F)
        return std::nullopt; // control characters name nothing
    if (points.size() == 1) {
        const std::string upper = utf8Of(xkb_keysym_to_upper(xkb_utf32_to_keysym(points.front())));
        if (!upper.empty())
            return upper;
    }
    return text;
}

std::optional<std::string> XkbKeyboard::keySymbolName(uint32_t keyCode) const {
    const uint32_t keycode = xKeycode(keyCode);
    if (keycode == 0)
        return std::nullopt;
    const xkb_keysym_t keysym = xkb_state_key_get_one_sym(state_, keycode);
    char buffer[64] = {};
    if (keysym == XKB_KEY_NoSymbol || xkb_keysym_get_name(keysym, buffer, sizeof buffer) <= 0)
        return std::nullopt;
    return std::string(buffer);
}

std::optional<uint32_t> XkbKeyboard::keyCodeNamed(std::string_view name) const {
    load();
    if (!keymap_ || name.empty())
        return std::nullopt;
    const std::string text(name);
    xkb_keysym_t wanted = xkb_keysym_from_name(text.c_str(), XKB_KEYSYM_NO_FLAGS);
    if (wanted == XKB_KEY_NoSymbol)
        wanted = xkb_keysym_from_name(text.c_str(), XKB_KEYSYM_CASE_INSENSITIVE);
    if (const auto points = decode(text); wanted == XKB_KEY_NoSymbol && points.size() == 1)
        wanted = xkb_utf32_to_keysym(points.front());
    if (wanted == XKB_KEY_NoSymbol)
        return std::nullopt;
    wanted = xkb_keysym_to_lower(wanted);
    // Unshifted first: "1" on a French layout is the shifted digit-row key, not a keypad key.
    for (xkb_level_index_t level = 0; level < 2; ++level) {
        for (xkb_keycode_t keycode = xkb_keymap_min_keycode(keymap_);
             keycode <= xkb_keymap_max_keycode(keymap_); ++keycode) {
            const xkb_layout_index_t layouts = xkb_keymap_num_layouts_for_key(keymap_, keycode);
            if (layouts == 0)
                continue;
            const xkb_layout_index_t layout = group_ < layouts ? group_ : 0;
            const xkb_keysym_t* symbols = nullptr;
            const int count = xkb_keymap_key_get_syms_by_level(keymap_, keycode, layout, level, &symbols);
            for (int i = 0; i < count; ++i) {
                if (xkb_keysym_to_lower(symbols[i]) != wanted || keycode < xKeycodeOffset)
                    continue;
                if (const auto code = keyCodeOfEvdev(keycode - xKeycodeOffset))
                    return code;
            }
        }
    }
    return std::nullopt;
}

std::vector<uint32_t> XkbKeyboard::xKeycodesWithSymbol(uint32_t keysym) const {
    load();
    std::vector<uint32_t> keycodes;
    if (!keymap_)
        return keycodes;
    for (xkb_keycode_t keycode = xkb_keymap_min_keycode(keymap_); keycode <= xkb_keymap_max_keycode(keymap_);
         ++keycode) {
        bool found = false;
        const xkb_layout_index_t layouts = xkb_keymap_num_layouts_for_key(keymap_, keycode);
        for (xkb_layout_index_t layout = 0; layout < layouts && !found; ++layout) {
            const xkb_level_index_t levels = xkb_keymap_num_levels_for_key(keymap_, keycode, layout);
            for (xkb_level_index_t level = 0; level < levels && !found; ++level) {
                const xkb_keysym_t* symbols = nullptr;
                const int count = xkb_keymap_key_get_syms_by_level(keymap_, keycode, layout, level, &symbols);
                for (int i = 0; i < count; ++i)
                    found = found || symbols[i] == keysym;
            }
        }
        if (found)
            keycodes.push_back(keycode);
    }
    return keycodes;
}

} // namespace tessarin
