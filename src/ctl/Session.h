#pragma once

#include "Command.h"
#include "freedesktop/TrashFileService.h"
#include "organise/Archiver.h"
#include "organise/DesktopSweeps.h"
#include "session/StoreStartup.h"
#include "session/SwitchSequence.h"
#include "store/FileStateStore.h"
#include "store/StoreLock.h"
#include "swap/FileSystemSurface.h"

#include <memory>
#include <optional>

namespace tessarin::ctl {

// The store opened in this process: the lock held, the start-up steps run (bootstrap, migration,
// recovery), and the switch sequence ready without any on-screen step.
class Session {
public:
    explicit Session(CommandContext& context);

    // Checks the Desktop's location, takes the lock and runs the start-up steps. On failure the
    // message is printed and the exit status returned.
    std::optional<ExitStatus> open();

    // The message and status for a refused change in a read-only session; none otherwise.
    std::optional<ExitStatus> refuseIfReadOnly();

    // Prints an outcome of the switch sequence and gives its exit status.
    ExitStatus report(const SwitchOutcome& outcome);

    bool readOnly() const { return readOnly_; }
    bool recoveryFailed() const { return recoveryFailed_; }
    Log& log() { return log_; }
    FileStateStore& store() { return store_; }
    FileSystemSurface& surface() { return surface_; }
    DesktopSwapper& swapper() { return swapper_; }
    SwitchSequence& sequence() { return sequence_; }
    DesktopSweeps& sweeps() { return sweeps_; }
    Archiver& archiver() { return archiver_; }
    const Clock& clock() const { return clock_; }
    // True when a journal is left in the store (an unreadable one counts): a switch is unfinished.
    bool journalPending();
    const Paths& paths() const { return context_.paths; }

private:
    CommandContext& context_;
    Log log_;
    SystemClock clock_;
    FileStateStore store_;
    FileSystemSurface surface_;
    DesktopSwapper swapper_;
    SwitchSequence sequence_;
    TrashFileService files_;
    Archiver archiver_;
    StoreLock lock_;
    ScreenshotFilter screenshots_;
    DesktopSweeps sweeps_;
    bool readOnly_ = false;
    bool recoveryFailed_ = false;
};

// Prints an outcome of the switch sequence as the command reports it and gives its exit status.
ExitStatus reportSwitch(CommandContext& context, const SwitchOutcome& outcome);

} // namespace tessarin::ctl
