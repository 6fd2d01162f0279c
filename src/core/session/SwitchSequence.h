#pragma once

#include "session/SwitchObserver.h"
#include "store/StateStore.h"
#include "support/Clock.h"
#include "support/Log.h"
#include "swap/DesktopSwapper.h"

#include <optional>
#include <string>
#include <vector>

namespace tessarin {

class DesktopSweeps;

// What one request of the sequence did.
struct SwitchOutcome {
    enum class Result {
        switched,    // the sequence ran and the swap succeeded
        failed,      // the sequence ran; the swap threw `error`
        readOnly,    // refused: the document was written by a newer version
        nothingToDo, // no target (cycling over no desktops, no previous desktop, ...)
    };
    Result result = Result::nothingToDo;
    std::string leaving;
    std::string target;
    std::vector<std::string> skips;
    std::string error;
    long milliseconds = 0;
};

// Every change of the active desktop goes through here: the swap with everything around it that does
// not need a screen (the read-only refusal, the busy flag, the log line, the previous desktop, the
// visited stamp), and the on-screen steps handed to an observer.
class SwitchSequence {
public:
    SwitchSequence(StateStore& store, DesktopSwapper& swapper, Log& log, const Clock& clock,
                   SwitchObserver* observer = nullptr);

    void setReadOnly(bool readOnly) { readOnly_ = readOnly; }
    // Off while a failure is for the requester alone to report (a command forwarded by tessarinctl):
    // the observer then shows nothing. On by default.
    void setFailuresShown(bool shown) { failuresShown_ = shown; }
    // Off where the store stamps the active desktop of every document it saves (tessarinctl's session):
    // the visit then rides along with the switch's own save instead of costing a write after it. On by
    // default.
    void setStampsVisit(bool stamps) { stampsVisit_ = stamps; }
    bool readOnly() const { return readOnly_; }
    bool isSwapping() const { return isSwapping_; }
    const std::optional<std::string>& previousWorkspace() const { return previousWorkspace_; }
    void setObserver(SwitchObserver* observer) { observer_ = observer; }
    // The sweeps of the outgoing Desktop, run after the observer's willSwitch and before the swap.
    void setSweeps(DesktopSweeps* sweeps) { sweeps_ = sweeps; }

    // The whole sequence to `target`, also when it is the active desktop. A name that is no desktop
    // fails before anything starts.
    SwitchOutcome performSwitch(const std::string& target, bool userInitiated);
    // The command line's switch: nothing to do when `target` is already active.
    SwitchOutcome switchUnlessActive(const std::string& target);
    // Hide the Desktop (switch to the blank desktop, remembering the active one), or show it again.
    SwitchOutcome toggleCollapse();
    SwitchOutcome collapse();
    SwitchOutcome expand();
    SwitchOutcome switchToLastDesktop();
    // The desktop `delta` places away among the live permanent desktops, wrapping around.
    SwitchOutcome cycle(int delta);

private:
    Config readOrFallback();
    void reportFailure(const std::exception& error, SwitchObserver& observer);

    StateStore& store_;
    DesktopSwapper& swapper_;
    Log& log_;
    const Clock& clock_;
    SwitchObserver* observer_;
    DesktopSweeps* sweeps_ = nullptr;
    bool readOnly_ = false;
    bool failuresShown_ = true;
    bool stampsVisit_ = true;
    bool isSwapping_ = false;
    std::optional<std::string> previousWorkspace_;
};

} // namespace tessarin
