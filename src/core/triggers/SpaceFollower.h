#pragma once

#include "support/TaskTimer.h"
#include "triggers/SpaceIdentifier.h"

#include <chrono>
#include <functional>
#include <optional>
#include <string>

namespace tessarin {

// The controller's answer for a workspace that settled.
enum class SpaceFollowResult {
    busy,     // cannot act now: ask again shortly
    done,     // nothing (more) to do
    switched, // a switch was made: check where we ended up
};

// Turns workspace changes into at most one question to the controller per settled change: a burst of
// changes is asked about once, after the last; a busy answer is asked again a few times; after a switch
// the workspace is checked again, so that a change made during the switch is caught. Display changes
// never cause a switch. The owner forwards the two notifications while the follower observes.
class SpaceFollower {
public:
    static constexpr std::chrono::milliseconds settleDelay{600};
    static constexpr std::chrono::milliseconds verifyDelay{250};
    static constexpr std::chrono::milliseconds retryDelay{300};
    static constexpr std::chrono::milliseconds reconfigQuiet{3000};
    static constexpr int maxRetries = 5;

    using SettledHandler = std::function<SpaceFollowResult(const std::string& identity)>;

    SpaceFollower(const SpaceIdentifier& identifier, TaskTimer& timer, SettledHandler onSpaceSettled);
    ~SpaceFollower();
    SpaceFollower(const SpaceFollower&) = delete;
    SpaceFollower& operator=(const SpaceFollower&) = delete;

    // Starts observing (when the identifier is available), taking the current workspace as handled, so
    // that turning following on never switches at once.
    void start();
    // Stops observing and drops the pending task; the last handled workspace is kept.
    void stop();
    // A switch made by other means: the current workspace counts as handled.
    void adoptCurrentSpace();

    // Notifications, ignored while not observing.
    void spaceChanged();
    void screensChanged();

    bool observing() const { return observing_; }

private:
    using Step = void (SpaceFollower::*)();
    void schedule(Step step, std::chrono::milliseconds delay);
    void evaluate();
    void verify();
    void reconcile(const std::string& identity, Step retry);
    std::optional<std::string> currentIdentity() const;

    const SpaceIdentifier& identifier_;
    TaskTimer& timer_;
    SettledHandler onSpaceSettled_;
    bool observing_ = false;
    std::optional<std::string> lastHandled_;
    int retries_ = 0;
};

} // namespace tessarin
