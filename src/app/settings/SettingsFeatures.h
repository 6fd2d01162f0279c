#pragma once

#include "model/Enumerations.h"
#include "model/HotKeySpec.h"
#include "settings/ShortcutConflicts.h"
#include "triggers/SpaceIdentifier.h"

#include <QWidget>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace tessarin {

// The login item: the XDG autostart entry. Without `available` (a development run, or no entry writer)
// the toggle is off and disabled with its note.
struct LaunchAtLogin {
    std::function<bool()> available;
    std::function<bool()> isEnabled;
    // Writes or removes the entry; the failure's text, none when done.
    std::function<std::optional<std::string>(bool on)> setEnabled;
};

// The desktop-icon host that places icons after a switch, as the General section shows it.
struct IconHostState {
    enum class Status { granted, denied, undetermined, unknown };
    Status status = Status::unknown;
    std::string hostName; // "Caja", "Nemo", "Xfdesktop"; empty when none runs
};

using ShortcutChanged = std::function<void(const std::optional<HotKeySpec>&)>;
// Makes the control that records a shortcut, showing `spec` and reporting a new one (none = cleared).
using KeyRecorderFactory =
    std::function<QWidget*(const std::optional<HotKeySpec>& spec, ShortcutChanged onChange, QWidget* parent)>;

// The parts of other features that the settings windows show or drive. Each may be left empty: the row
// then shows its unavailable state and the setting is still stored.
struct SettingsFeatures {
    LaunchAtLogin launchAtLogin;
    // Read when the General section is built and every 2 seconds while it is shown.
    std::function<IconHostState()> iconHost;
    // The recorder embedded for every shortcut; without it each shortcut shows its text and "Clear".
    KeyRecorderFactory keyRecorder;
    // Global shortcuts can be taken in this session; where they can't, the Shortcuts section shows the
    // commands to bind in the desktop's own keyboard settings.
    std::function<bool()> hotKeysAvailable;
    // The window manager's workspaces, for binding desktops to them; none: unavailable.
    const SpaceIdentifier* workspaces = nullptr;
    // What the desktop already does at a screen corner ("Activities Overview"); none when it is free.
    std::function<std::optional<std::string>(FloatingDockCorner)> cornerOccupant;
    // The text of a shortcut, with key names of the current keyboard layout.
    ShortcutText shortcutText = provisionalShortcutText;
};

} // namespace tessarin
