#pragma once

#include "model/Config.h"
#include "store/StateStore.h"
#include "swap/DesktopSurface.h"
#include "swap/IconPlacement.h"

#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

namespace tessarin {

class SwapError : public std::runtime_error {
public:
    enum class Kind { unknownWorkspace, crossVolumeStore, nameClash };

    static SwapError unknownWorkspace(const std::string& name);
    static SwapError crossVolumeStore();
    // Items that could only move over an item of the same name: `names` are on the Desktop and also
    // in the folder of `workspace`. The switch is refused before anything moves.
    static SwapError nameClash(const std::vector<std::string>& names, const std::string& workspace,
                               bool leaving);

    Kind kind() const { return kind_; }
    // The requested desktop (unknownWorkspace) or the desktop whose folder clashes (nameClash).
    const std::string& name() const { return name_; }
    const std::vector<std::string>& clashes() const { return clashes_; }

private:
    SwapError(Kind kind, std::string name, const std::string& text, std::vector<std::string> clashes = {})
        : std::runtime_error(text), kind_(kind), name_(std::move(name)), clashes_(std::move(clashes)) {}
    Kind kind_;
    std::string name_;
    std::vector<std::string> clashes_;
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
    // Desktop. Throws SwapError, UnusableFolderName, store errors and surface errors; every refusal comes
    // before the first item moves. After a move failure the journal stays for the next attempt.
    std::vector<std::string> switchTo(const std::string& target);

    // Finishes a journalled switch, if any, then brings back stashed pinned items and items left in
    // the blank desktop's folder unless the Desktop is hidden.
    void recoverIfNeeded();

private:
    struct StashResult {
        std::set<std::string> restored;
        IconPositions restoredPositions;
    };

    // The refusals that depend on what is on disk: names that can't be recorded and names that would
    // meet an item of the same name. Moves nothing. Returns the Desktop listing it made.
    std::vector<std::string> refuseUnsafeSwitch(const Config& config, const std::string& target,
                                                const std::vector<std::string>& targetItems);
    // Replays safely: a name already in its destination is not moved again, and an item never moves
    // over another of the same name; it stays where it is.
    void applyMoves(const Journal& journal, std::chrono::microseconds gap, bool carryPositions);
    StashResult syncPinnedStash(Config& config, const std::string& target);
    void depositStrays(Config& config, const std::vector<std::string>& strays, const std::string& target);
    void place(const Config& config, const IconPositions& positions, const std::vector<std::string>& names);
    // recoverIfNeeded(), returning the document as it left it (nothing when it couldn't be read).
    std::optional<Config> recover();
    void finishJournalledSwitch();
    // Both drains run on one load of the document, and only while a desktop is shown. Returns that
    // document as the drains left it.
    std::optional<Config> drainUnlessHidden();
    void drainPinnedStash(Config& config);
    void drainHiddenDesktop(Config& config);

    DesktopSurface& surface_;
    StateStore& store_;
    Sleeper sleep_;
};

} // namespace tessarin
