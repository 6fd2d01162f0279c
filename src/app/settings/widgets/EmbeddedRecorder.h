#pragma once

#include "settings/SettingsFeatures.h"

namespace tessarin {

class HotKeyCenter;

// The settings windows' shortcut control: the key recorder, showing shortcuts in the current layout's
// key names. While it records, the agent's global shortcuts are given back, so the combination reaches
// it instead of running. Tab reaches it; Space or Return starts recording.
KeyRecorderFactory embeddedKeyRecorder(ShortcutText text, HotKeyCenter& hotKeys);

} // namespace tessarin
