#pragma once

#include "model/Config.h"
#include "model/HotKeyAssignment.h"
#include "model/ShortcutText.h"

#include <functional>
#include <optional>
#include <string>

namespace tessarin {

// The display text of a shortcut: its modifier glyphs followed by the key's name.
using ShortcutText = std::function<std::string(const HotKeySpec&)>;

// The glyphs and the key's fixed name, else "Key " + the key code: the text until the keyboard
// layout can name keys.
std::string provisionalShortcutText(const HotKeySpec& spec);

// The owner of the first assignment with this spec, other than `excluding` when given.
std::optional<HotKeyAssignment::Owner>
shortcutOwner(const Config& config, const HotKeySpec& spec,
              const std::optional<HotKeyAssignment::Owner>& excluding = std::nullopt);

// "<shortcut> is already assigned to <owner>."
std::string shortcutConflictMessage(const std::string& shortcutText, const HotKeyAssignment::Owner& owner);

} // namespace tessarin
