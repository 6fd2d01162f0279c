#include "session/SwitchSequence.h"

#include "organise/DesktopSweeps.h"

#include <algorithm>

namespace tessarin {

namespace {

const std::string blank(Config::blankWorkspaceName);

SwitchObserver& quiet() {
    static SwitchObserver none; // stateless: every step does nothing
    return none;
}

} // namespace

std::string pinnedSkipsMessage(const std::vector<std::string>& names) {
    if (names.size() == 1)
        return "\u201c" + names.front() + "\u201d stayed in its desktop's folder";
    return std::to_string(names.size()) + " items stayed in their desktop's folder";
}

std::string pinnedSkipsInformativeText(const std::vector<std::string>& names) {
    return std::string("A pinned folder on the Desktop has the same name, so Tessarin didn't bring ") +
           (names.size() == 1 ? "it" : "them") +
           " out — nothing was moved or overwritten. Rename one of the two, or unpin the folder, and switch "
           "again.";
}

SwitchSequence::SwitchSequence(StateStore& store, DesktopSwapper& swapper, Log& log, const Clock& clock,
                               SwitchObserver* observer)
    : store_(store), swapper_(swapper), log_(log), clock_(clock), observer_(observer) {}

Config SwitchSequence::readOrFallback() {
    try {
        return store_.loadConfig();
    } catch (...) {
        return makeDefaultConfig();
    }
}

void SwitchSequence::reportFailure(const std::exception& error, SwitchObserver& observer) {
    if (!failuresShown_) {
        log_.log(LogCategory::error, "reported to the requester: %{public}s", std::string(error.what()));
        return;
    }
    log_.log(LogCategory::error, "surfaced to the user: %{public}s", std::string(error.what()));
    observer.present(error);
}

SwitchOutcome SwitchSequence::performSwitch(const std::string& target, bool userInitiated) {
    SwitchObserver& observer = observer_ ? *observer_ : quiet();
    SwitchOutcome outcome;
    outcome.target = target;
    const Config first = readOrFallback();
    if (readOnly_) {
        outcome.result = SwitchOutcome::Result::readOnly;
        return outcome;
    }
    // Nothing to move to: no cover, no sweeps, no log line of a switch that never happened.
    if (!first.findWorkspace(target)) {
        const SwapError unknown = SwapError::unknownWorkspace(target);
        outcome.result = SwitchOutcome::Result::failed;
        outcome.leaving = first.activeWorkspace;
        outcome.error = unknown.what();
        reportFailure(unknown, observer);
        return outcome;
    }
    isSwapping_ = true;
    struct Clear {
        bool& flag;
        SwitchObserver& observer;
        ~Clear() {
            observer.finished();
            flag = false;
        }
    } clear{isSwapping_, observer};

    const Config document = readOrFallback();
    outcome.leaving = document.activeWorkspace;
    // The cover goes up first; the time it takes to show is not the switch's.
    observer.willSwitch(document, outcome.leaving, target);
    const auto coverStart = clock_.steadyNow();
    // Screenshots and rule matches leave the Desktop instead of travelling with the outgoing desktop.
    if (sweeps_)
        sweeps_->sweepInOrder(document);
    observer.prepareTarget(document, target);

    try {
        outcome.skips = swapper_.switchTo(target);
        outcome.result = SwitchOutcome::Result::switched;
    } catch (const std::exception& e) {
        outcome.result = SwitchOutcome::Result::failed;
        outcome.error = e.what();
        reportFailure(e, observer);
    }
    observer.swapped();

    outcome.milliseconds =
        static_cast<long>(std::chrono::duration<double, std::milli>(clock_.steadyNow() - coverStart).count());
    if (outcome.result == SwitchOutcome::Result::switched)
        log_.log(LogCategory::swap, "switched %{public}s → %{public}s in %ldms, %ld pinned-name skips",
                 outcome.leaving, target, static_cast<long>(outcome.milliseconds),
                 static_cast<long>(outcome.skips.size()));
    else
        log_.log(LogCategory::swap, "switch %{public}s → %{public}s failed after %ldms", outcome.leaving,
                 target, static_cast<long>(outcome.milliseconds));
    observer.didSwitch(outcome.leaving, target, userInitiated, coverStart);

    if (target != outcome.leaving)
        previousWorkspace_ = outcome.leaving;
    if (stampsVisit_) {
        try {
            mutateConfig(store_, [&](Config& c) {
                c.updateWorkspace(c.activeWorkspace, [&](Workspace& w) { w.lastActiveAt = clock_.now(); });
            });
        } catch (...) {
        }
    }
    if (!outcome.skips.empty())
        observer.notePinnedSkips(outcome.skips);
    return outcome;
}

SwitchOutcome SwitchSequence::switchUnlessActive(const std::string& target) {
    if (!readOnly_ && readOrFallback().activeWorkspace == target) {
        SwitchOutcome outcome;
        outcome.target = target;
        outcome.leaving = target;
        return outcome;
    }
    return performSwitch(target, true);
}

SwitchOutcome SwitchSequence::toggleCollapse() {
    return readOrFallback().activeWorkspace == blank ? expand() : collapse();
}

SwitchOutcome SwitchSequence::collapse() {
    if (readOnly_)
        return performSwitch(blank, true);
    try {
        mutateConfig(store_, [](Config& c) {
            if (c.activeWorkspace != blank)
                c.lastExpandedWorkspace = c.activeWorkspace;
        });
    } catch (...) {
    }
    return performSwitch(blank, true);
}

SwitchOutcome SwitchSequence::expand() {
    const auto target = readOrFallback().expandTarget();
    if (!target)
        return {};
    return performSwitch(*target, true);
}

SwitchOutcome SwitchSequence::switchToLastDesktop() {
    if (!previousWorkspace_)
        return {};
    const Config document = readOrFallback();
    const std::string previous = *previousWorkspace_;
    if (previous == document.activeWorkspace)
        return {};
    const auto live = document.liveWorkspaces();
    const bool isLive =
        std::any_of(live.begin(), live.end(), [&](const Workspace& w) { return w.name == previous; });
    if (previous != blank && !isLive)
        return {};
    return performSwitch(previous, true);
}

SwitchOutcome SwitchSequence::cycle(int delta) {
    const Config document = readOrFallback();
    std::vector<std::string> names;
    for (const auto& w : document.switchableWorkspaces())
        names.push_back(w.name);
    if (names.empty())
        return {};
    const auto n = static_cast<long>(names.size());
    const auto it = std::find(names.begin(), names.end(), document.activeWorkspace);
    std::string target;
    if (it == names.end()) {
        target = delta < 0 ? names.back() : names.front();
    } else {
        const long i = it - names.begin();
        target = names[static_cast<size_t>(((i + delta) % n + n) % n)];
    }
    return performSwitch(target, true);
}

} // namespace tessarin
