#pragma once

#include "model/HotKeySpec.h"
#include "triggers/KeyboardLayout.h"
#include "triggers/SpaceIdentifier.h"

#include <functional>
#include <optional>

namespace tessarin {

// What the commands about shortcuts and workspaces learn from the session they run in. Anything may be
// missing (a command run without a session): the commands then say less, never fail for it.
struct TriggerServices {
    const KeyboardLayout* keyboard = nullptr;
    const SpaceIdentifier* spaces = nullptr;
    // A global shortcut can fire in this session (some client may grab keys for the whole screen).
    std::function<bool()> globalShortcutsFire;
    // Whether the running agent has this shortcut registered now; empty where that is not known.
    std::function<std::optional<bool>(const HotKeySpec&)> shortcutActive;
};

} // namespace tessarin
