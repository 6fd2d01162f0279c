#pragma once

#include "model/Config.h"
#include "store/StateStore.h"
#include "swap/DesktopSurface.h"
#include "swap/IconPlacement.h"

#include <set>
#include <stdexcept>
#include <string>
#include <vector>

namespace tessarin {

class SwapError : public std::runtime_error {
public:
    enum class Kind { unknownWorkspace, crossVolumeStore };

    static SwapError unknownWorkspace(const std::string& name);
    static SwapError crossVolumeStore();

    Kind kind() const { return kind_; }
    const std::string& name() const { return name_; }

private:
    SwapError(Kind kind, std::string name, const std::string& text)
        : std::runtime_error(text), kind_(kind), name_(std::move(name)) {}
    Kind kind_;
    std::string name_;
};

// Makes a desktop switch happen on disk: the Desktop's items (all but the pinned ones) go into the
// active desktop's folder and the target's items come onto the Desktop. The plan is journalled before
// the first item moves, so a switch cut short at any instant is finished by the next
// recoverIfNeeded(). Nothing is ever moved over an existing item.
class DesktopSwapper {
public:
    static constexpr const char* pinnedStash = ".pinned";

    DesktopSwapper(DesktopSurface& surface, StateStore& store, Sleeper sleep = realSleeper());

    // Returns the target's items left in its folder because a held item of the same name is on the
    // Desktop. Throws SwapError, store errors and surface errors; after a move failure the journal
    // stays for the next attempt.
    std::vector<std::string> switchTo(const std::string& target);

    // Finishes a journalled switch, if any, then brings back stashed pinned items and items left in
    // the blank desktop's folder unless the Desktop is hidden.
    void recoverIfNeeded();

private:
    struct StashResult {
        std::set<std::string> restored;
        IconPositions restoredPositions;
    };

    void applyMoves(const Journal& journal, std::chrono::microseconds gap, bool carryPositions);
    StashResult syncPinnedStash(Config& config, const std::string& target);
    void depositStrays(Config& config, const std::vector<std::string>& strays, const std::string& target);
    void place(const Config& config, const IconPositions& positions, const std::vector<std::string>& names);
    void drainPinnedStashUnlessHidden();
    void drainHiddenDesktopUnlessHidden();

    DesktopSurface& surface_;
    StateStore& store_;
    Sleeper sleep_;
};

} // namespace tessarin
