#pragma once

#include "model/Config.h"

#include <chrono>
#include <exception>
#include <string>
#include <vector>

namespace tessarin {

// The steps of a switch that happen on screen or outside the store. The headless sequence calls them
// in order; the agent implements them (cover, sweeps, wallpaper cue, appearance, menu, icon
// animation, notes), tessarinctl leaves most of them empty.
class SwitchObserver {
public:
    virtual ~SwitchObserver() = default;

    // Before anything moves: pause the Desktop watcher, start the cover. (The sweeps of the outgoing
    // Desktop follow, from the sequence itself.)
    virtual void willSwitch(const Config& /*document*/, const std::string& /*leaving*/,
                            const std::string& /*target*/) {}
    // After the sweeps, before the swap: point the wallpaper cue and the appearance at the target.
    virtual void prepareTarget(const Config& /*document*/, const std::string& /*target*/) {}
    // The swap failed: show the error.
    virtual void present(const std::exception& /*error*/) {}
    // Right after the swap, before the log line: rebuild the menu, reload the settings.
    virtual void swapped() {}
    // After the log line: play the icon animation, plan the first-switch note and the reveal.
    virtual void didSwitch(const std::string& /*leaving*/, const std::string& /*target*/,
                           bool /*userInitiated*/, std::chrono::steady_clock::time_point /*coverStart*/) {}
    // Items the target kept in its folder because a pinned item of the same name is on the Desktop.
    virtual void notePinnedSkips(const std::vector<std::string>& /*names*/) {}
    // Last: resume the Desktop watcher.
    virtual void finished() {}
};

// The note shown when pinned items blocked incoming items of the same name.
std::string pinnedSkipsMessage(const std::vector<std::string>& names);
std::string pinnedSkipsInformativeText(const std::vector<std::string>& names);

} // namespace tessarin
