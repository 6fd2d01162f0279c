#include "triggers/SpaceFollower.h"

namespace tessarin {

SpaceFollower::SpaceFollower(const SpaceIdentifier& identifier, TaskTimer& timer,
                             SettledHandler onSpaceSettled)
    : identifier_(identifier), timer_(timer), onSpaceSettled_(std::move(onSpaceSettled)) {}

SpaceFollower::~SpaceFollower() {
    timer_.cancel();
}

std::optional<std::string> SpaceFollower::currentIdentity() const {
    if (const auto space = identifier_.activeSpace())
        return space->identity;
    return std::nullopt;
}

void SpaceFollower::start() {
    if (observing_ || !identifier_.available())
        return;
    lastHandled_ = currentIdentity();
    observing_ = true;
}

void SpaceFollower::stop() {
    observing_ = false;
    timer_.cancel();
    retries_ = 0;
}

void SpaceFollower::adoptCurrentSpace() {
    if (!observing_)
        return;
    timer_.cancel();
    if (auto identity = currentIdentity())
        lastHandled_ = std::move(identity);
    retries_ = 0;
}

void SpaceFollower::spaceChanged() {
    if (!observing_)
        return;
    retries_ = 0;
    schedule(&SpaceFollower::evaluate, settleDelay);
}

void SpaceFollower::screensChanged() {
    if (!observing_)
        return;
    timer_.start(reconfigQuiet, [this] {
        if (auto identity = currentIdentity())
            lastHandled_ = std::move(identity);
    });
}

void SpaceFollower::schedule(Step step, std::chrono::milliseconds delay) {
    timer_.start(delay, [this, step] { (this->*step)(); });
}

void SpaceFollower::evaluate() {
    const auto space = identifier_.activeSpace();
    if (!space || !space->isUser)
        return;
    if (lastHandled_ == space->identity)
        return;
    reconcile(space->identity, &SpaceFollower::evaluate);
}

void SpaceFollower::verify() {
    // No comparison with the last handled workspace: a change made during the switch must be caught.
    if (const auto space = identifier_.activeSpace(); space && space->isUser)
        reconcile(space->identity, &SpaceFollower::verify);
}

void SpaceFollower::reconcile(const std::string& identity, Step retry) {
    switch (onSpaceSettled_(identity)) {
    case SpaceFollowResult::done:
        lastHandled_ = identity;
        retries_ = 0;
        break;
    case SpaceFollowResult::switched:
        lastHandled_ = identity;
        retries_ = 0;
        schedule(&SpaceFollower::verify, verifyDelay);
        break;
    case SpaceFollowResult::busy:
        if (retries_ >= maxRetries) {
            retries_ = 0;
            break;
        }
        ++retries_;
        schedule(retry, retryDelay);
        break;
    }
}

} // namespace tessarin
