#include "x11/X11GlobalKeys.h"

#include "model/ShortcutText.h"
#include "triggers/KeyCodes.h"
#include "x11/XcbXkb.h"

#include <QCoreApplication>
#include <algorithm>
#include <cstdlib>
#include <memory>
#include <xkbcommon/xkbcommon-keysyms.h>

namespace tessarin {

namespace {

constexpr uint16_t lock = XCB_MOD_MASK_LOCK;

} // namespace

X11GlobalKeys::X11GlobalKeys(xcb_connection_t* connection, xcb_window_t root, XkbKeyboard& keyboard)
    : connection_(connection), root_(root), keyboard_(keyboard) {
    if (const auto* xkb = xcb_get_extension_data(connection_, &xcb_xkb_id); xkb && xkb->present)
        xkbFirstEvent_ = xkb->first_event;
    readModifierMasks();
    quiet_.setSingleShot(true);
    quiet_.setInterval(keyboardQuietMs);
    QObject::connect(&quiet_, &QTimer::timeout, &quiet_, [this] { renewGrabs(); });
    QCoreApplication::instance()->installNativeEventFilter(this);
}

X11GlobalKeys::~X11GlobalKeys() {
    if (QCoreApplication::instance())
        QCoreApplication::instance()->removeNativeEventFilter(this);
    for (auto& grab : grabs_)
        giveBack(grab);
    xcb_flush(connection_);
}

void X11GlobalKeys::readModifierMasks() {
    std::unique_ptr<xcb_get_modifier_mapping_reply_t, decltype(&std::free)> map(
        xcb_get_modifier_mapping_reply(connection_, xcb_get_modifier_mapping(connection_), nullptr),
        &std::free);
    if (!map)
        return;
    const xcb_keycode_t* keycodes = xcb_get_modifier_mapping_keycodes(map.get());
    const int perModifier = map->keycodes_per_modifier;
    const auto maskOf = [&](std::initializer_list<uint32_t> keysyms, uint16_t fallback) -> uint16_t {
        std::vector<uint32_t> wanted;
        for (const uint32_t keysym : keysyms)
            for (const uint32_t keycode : keyboard_.xKeycodesWithSymbol(keysym))
                wanted.push_back(keycode);
        uint16_t mask = 0;
        // Shift, Lock and Control are fixed; the others (Mod1 to Mod5) are where the keymap puts them.
        for (int modifier = 3; modifier < 8; ++modifier)
            for (int i = 0; i < perModifier; ++i)
                if (const xcb_keycode_t k = keycodes[modifier * perModifier + i];
                    k != 0 && std::find(wanted.begin(), wanted.end(), k) != wanted.end())
                    mask |= static_cast<uint16_t>(1u << modifier);
        return mask ? mask : fallback;
    };
    alt_ = maskOf({XKB_KEY_Alt_L, XKB_KEY_Alt_R}, XCB_MOD_MASK_1);
    super_ = maskOf({XKB_KEY_Super_L, XKB_KEY_Super_R}, XCB_MOD_MASK_4);
    numLock_ = maskOf({XKB_KEY_Num_Lock}, XCB_MOD_MASK_2);
}

uint16_t X11GlobalKeys::xModifiers(uint32_t modifiers) const {
    uint16_t mask = 0;
    if (modifiers & modifierBits::shift)
        mask |= XCB_MOD_MASK_SHIFT;
    if (modifiers & modifierBits::control)
        mask |= XCB_MOD_MASK_CONTROL;
    if (modifiers & modifierBits::option)
        mask |= alt_;
    if (modifiers & modifierBits::command)
        mask |= super_;
    return mask;
}

std::vector<uint16_t> X11GlobalKeys::lockCombinations() const {
    std::vector<uint16_t> combinations{0, lock};
    if (numLock_ != lock) {
        combinations.push_back(numLock_);
        combinations.push_back(static_cast<uint16_t>(numLock_ | lock));
    }
    return combinations;
}

bool X11GlobalKeys::take(Grab& grab) {
    std::vector<xcb_void_cookie_t> cookies;
    for (const uint16_t locks : lockCombinations())
        cookies.push_back(xcb_grab_key_checked(connection_, 0, root_,
                                               static_cast<uint16_t>(grab.modifiers | locks), grab.keycode,
                                               XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC));
    bool refused = false;
    for (const auto cookie : cookies) {
        // BadAccess: another client holds the combination.
        if (xcb_generic_error_t* error = xcb_request_check(connection_, cookie)) {
            refused = true;
            std::free(error);
        }
    }
    grab.taken = !refused;
    if (refused)
        giveBack(grab);
    return !refused;
}

void X11GlobalKeys::giveBack(Grab& grab) {
    // Ungrabbing what another client holds does nothing to its grab.
    for (const uint16_t locks : lockCombinations())
        xcb_ungrab_key(connection_, grab.keycode, root_, static_cast<uint16_t>(grab.modifiers | locks));
    grab.taken = false;
    grab.held = false;
}

std::optional<GlobalKeyGrabber::Handle> X11GlobalKeys::grab(const HotKeySpec& spec) {
    const auto evdev = evdevKeyCode(spec.keyCode);
    if (!evdev || *evdev + xKeycodeOffset > 255)
        return std::nullopt;
    Grab grab;
    grab.spec = spec;
    grab.keycode = static_cast<xcb_keycode_t>(*evdev + xKeycodeOffset);
    grab.modifiers = xModifiers(spec.modifiers);
    // The server would let this client grab a combination twice; the second owner must not get it.
    if (std::any_of(grabs_.begin(), grabs_.end(), [&](const Grab& g) { return g.spec == spec; }))
        return std::nullopt;
    if (!suspended_ && !take(grab))
        return std::nullopt;
    xcb_flush(connection_);
    grab.handle = nextHandle_++;
    grabs_.push_back(grab);
    return grab.handle;
}

void X11GlobalKeys::release(Handle handle) {
    const auto it =
        std::find_if(grabs_.begin(), grabs_.end(), [&](const Grab& g) { return g.handle == handle; });
    if (it == grabs_.end())
        return;
    if (it->taken)
        giveBack(*it);
    grabs_.erase(it);
    xcb_flush(connection_);
}

void X11GlobalKeys::setSuspended(bool suspended) {
    if (suspended == suspended_)
        return;
    suspended_ = suspended;
    for (auto& grab : grabs_) {
        if (suspended && grab.taken)
            giveBack(grab);
        else if (!suspended)
            take(grab);
    }
    xcb_flush(connection_);
}

void X11GlobalKeys::keyboardMayHaveChanged() {
    quiet_.start(); // several events arrive for one change: act once, when they stop
}

void X11GlobalKeys::renewGrabs() {
    for (auto& grab : grabs_)
        if (grab.taken)
            giveBack(grab);
    keyboard_.reload();
    readModifierMasks();
    for (auto& grab : grabs_) {
        grab.modifiers = xModifiers(grab.spec.modifiers);
        if (!suspended_)
            take(grab);
    }
    xcb_flush(connection_);
    if (keyboardChanged)
        keyboardChanged();
}

bool X11GlobalKeys::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
    if (eventType != "xcb_generic_event_t")
        return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    const uint8_t type = event->response_type & 0x7F;
    if (type == XCB_KEY_PRESS || type == XCB_KEY_RELEASE) {
        const auto* key = reinterpret_cast<const xcb_key_press_event_t*>(event);
        if (key->event != root_)
            return false;
        const uint16_t modifiers =
            key->state & (XCB_MOD_MASK_SHIFT | XCB_MOD_MASK_CONTROL | alt_ | super_) & ~(lock | numLock_);
        bool ours = false;
        for (auto& grab : grabs_) {
            if (!grab.taken || grab.keycode != key->detail)
                continue;
            if (type == XCB_KEY_RELEASE) {
                ours = ours || grab.held;
                grab.held = false; // the modifiers may have been let go first
            } else if (grab.modifiers == modifiers) {
                ours = true;
                if (!grab.held && pressed) {
                    grab.held = true;
                    pressed(grab.handle);
                }
            }
        }
        return ours;
    }
    if (type == XCB_MAPPING_NOTIFY) {
        keyboardMayHaveChanged();
    } else if (xkbFirstEvent_ != 0 && type == xkbFirstEvent_) {
        const auto* xkb = reinterpret_cast<const xcb_xkb_state_notify_event_t*>(event);
        if (xkb->xkbType == XCB_XKB_NEW_KEYBOARD_NOTIFY || xkb->xkbType == XCB_XKB_MAP_NOTIFY ||
            (xkb->xkbType == XCB_XKB_STATE_NOTIFY && (xkb->changed & XCB_XKB_STATE_PART_GROUP_STATE)))
            keyboardMayHaveChanged();
    }
    return false;
}

} // namespace tessarin
