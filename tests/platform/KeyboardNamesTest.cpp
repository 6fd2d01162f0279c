#include "model/ShortcutText.h"
#include "support/ScopedEnv.h"
#include "triggers/ShortcutCombo.h"
#include "x11/XkbKeyboard.h"

#include <gtest/gtest.h>

using namespace tessarin;

namespace {

constexpr uint32_t super = modifierBits::command, alt = modifierBits::option, ctrl = modifierBits::control,
                   shift = modifierBits::shift;

// A keymap of the named layout, as xkbcommon builds it without a display.
struct Layout {
    explicit Layout(const char* name) {
        const test::ScopedEnv layout("XKB_DEFAULT_LAYOUT", name);
        keyboard = std::make_unique<XkbKeyboard>();
        keyboard->printableKeyName(0); // builds the keymap while the variable holds
    }
    std::unique_ptr<XkbKeyboard> keyboard;
};

} // namespace

// Written shortcuts are read in the layout in use, shown as the menu shows them, and written back so that
// they read the same again.
TEST(KeyboardNames, ShortcutsReadAndShowInTheLayoutInUse) {
    struct Case {
        const char* layout;
        const char* written;
        HotKeySpec spec;
        const char* shown;
        const char* rewritten;
    };
    const std::vector<Case> cases = {
        {"us", "Super+Alt+1", {18, super | alt}, "⌥⌘1", "Super+Alt+1"},
        {"us", "ctrl+shift+f5", {96, ctrl | shift}, "⌃⇧F5", "Ctrl+Shift+F5"},
        {"us", "Alt+Space", {49, alt}, "⌥Space", "Alt+Space"},
        {"us", "Ctrl+PgDn", {121, ctrl}, "⌃⇟", "Ctrl+Page_Down"},
        {"us", "Super++", {24, super}, "⌘=", "Super+="},
        {"us", "Win+KP_1", {83, super}, "⌘Key 83", "Super+KP_End"},
        // On a French keyboard the A is where the US Q is, and the digits are shifted.
        {"fr", "Super+A", {12, super}, "⌘A", "Super+A"},
        {"fr", "Super+Alt+1", {18, super | alt}, "⌥⌘&", "Super+Alt+&"},
        {"fr", "Super+é", {19, super}, "⌘É", "Super+É"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.layout) + " " + c.written);
        Layout layout(c.layout);
        const auto parsed = parseShortcutCombo(c.written, *layout.keyboard);
        ASSERT_TRUE(std::holds_alternative<HotKeySpec>(parsed)) << std::get<std::string>(parsed);
        EXPECT_EQ(std::get<HotKeySpec>(parsed), c.spec);
        EXPECT_EQ(shortcutText(c.spec, [&](uint32_t k) { return layout.keyboard->printableKeyName(k); }),
                  c.shown);
        EXPECT_EQ(shortcutComboText(c.spec, *layout.keyboard), c.rewritten);
        EXPECT_EQ(parseShortcutCombo(c.rewritten, *layout.keyboard), parsed);
    }
}

TEST(KeyboardNames, RefusesWhatIsNoShortcutWithAReason) {
    Layout us("us");
    const std::vector<std::pair<const char*, const char*>> cases = {
        {"A", "A shortcut needs a modifier (Super, Alt, Ctrl or Shift), for example Super+Alt+1."},
        {"Super+", "\u201cSuper+\u201d has no key: end it with one, for example Super+Alt+1."},
        {"Hyper+A", "\u201cHyper\u201d is not a modifier: use Super, Alt, Ctrl or Shift."},
        {"Ctrl+Shift", "\u201cShift\u201d is a modifier: end the shortcut with another key."},
        {"Super+é", "No key of the current keyboard layout types \u201cé\u201d."},
        {"Super+Key 52", "\u201cKey 52\u201d is no key Tessarin can use in a shortcut."},
    };
    for (const auto& [written, message] : cases) {
        const auto parsed = parseShortcutCombo(written, *us.keyboard);
        ASSERT_TRUE(std::holds_alternative<std::string>(parsed)) << written;
        EXPECT_EQ(std::get<std::string>(parsed), message);
    }
}
