#pragma once

#include "model/HotKeySpec.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace tessarin {

// The stored modifier bits of a shortcut.
namespace modifierBits {
inline constexpr uint32_t shift = 1u << 17;
inline constexpr uint32_t control = 1u << 18;
inline constexpr uint32_t option = 1u << 19;
inline constexpr uint32_t command = 1u << 20;
} // namespace modifierBits

// "⌃", "⌥", "⇧", "⌘" in that order, each when its bit is set.
std::string modifierGlyphs(uint32_t modifiers);

// The fixed name of a special key (Space, Return, arrows, F1…F12, …); none for other keys.
std::optional<std::string> specialKeyName(uint32_t keyCode);

// Names a key in the current keyboard layout; none when the layout has no name for it.
using PrintableKeyName = std::function<std::optional<std::string>(uint32_t keyCode)>;

// The special name, else the layout's name, else "Key " and the code.
std::string keyName(const HotKeySpec& spec, const PrintableKeyName& printable);

// The shown text of a shortcut: the modifier glyphs immediately followed by the key's name.
std::string shortcutText(const HotKeySpec& spec, const PrintableKeyName& printable);

} // namespace tessarin
