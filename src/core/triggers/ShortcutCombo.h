#pragma once

#include "model/HotKeySpec.h"
#include "triggers/KeyboardLayout.h"

#include <string>
#include <string_view>
#include <variant>

namespace tessarin {

// A shortcut written the way Linux desktops write them: "Super+Alt+1", "Ctrl+Shift+F5". Modifiers
// (any order, any case): Super (also Meta, Win, Cmd), Alt (also Option), Ctrl (also Control), Shift.
// The key last, named as the layout types it ("A", "é", "1") or by its symbol name ("F5", "Space",
// "Return", "Left", "Page_Up"; the usual short forms such as Esc, Del, PgUp are understood).
// Returns the combination, or the message saying what is wrong.
std::variant<HotKeySpec, std::string> parseShortcutCombo(std::string_view text, const KeyboardLayout& layout);

// The combination written that way, modifiers in the order Super, Ctrl, Alt, Shift.
std::string shortcutComboText(const HotKeySpec& spec, const KeyboardLayout& layout);

} // namespace tessarin
