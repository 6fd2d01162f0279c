#pragma once

#include "commands/Command.h"
#include "freedesktop/TrashFileService.h"
#include "organise/Archiver.h"
#include "organise/DesktopSweeps.h"
#include "session/StoreStartup.h"
#include "session/SwitchSequence.h"
#include "store/FileStateStore.h"
#include "store/StoreLock.h"
#include "swap/DesktopSurface.h"

#include <memory>
#include <optional>

namespace tessarin::cmd {

// The objects a command works with.
struct SessionParts {
    Log& log;
    const Clock& clock;
    FileStateStore& store;
    DesktopSurface& surface;
    DesktopSwapper& swapper;
    SwitchSequence& sequence;
    DesktopSweeps& sweeps;
    Archiver& archiver;
};

// The store a command works on: either opened in this process (the lock held, the start-up steps run:
// bootstrap, migration, recovery; the switch sequence without any on-screen step), or the running
// agent's, which already holds the lock and ran the start-up steps.
class Session {
public:
    // The store of `context.paths`, to be opened in this process.
    explicit Session(CommandContext& context);
    // A store that is already open, with its owner's objects; open() does nothing.
    Session(CommandContext& context, SessionParts openParts);
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    // Checks the Desktop's location, takes the lock and runs the start-up steps. On failure the
    // message is printed and the exit status returned.
    std::optional<ExitStatus> open();

    // The message and status for a refused change in a read-only session; none otherwise.
    std::optional<ExitStatus> refuseIfReadOnly();

    // Prints an outcome of the switch sequence and gives its exit status.
    ExitStatus report(const SwitchOutcome& outcome);

    bool readOnly() const { return readOnly_; }
    bool recoveryFailed() const { return recoveryFailed_; }
    Log& log() { return parts_.log; }
    FileStateStore& store() { return parts_.store; }
    DesktopSurface& surface() { return parts_.surface; }
    DesktopSwapper& swapper() { return parts_.swapper; }
    SwitchSequence& sequence() { return parts_.sequence; }
    DesktopSweeps& sweeps() { return parts_.sweeps; }
    Archiver& archiver() { return parts_.archiver; }
    const Clock& clock() const { return parts_.clock; }
    // True when a journal is left in the store (an unreadable one counts): a switch is unfinished.
    bool journalPending();
    const Paths& paths() const { return context_.paths; }

private:
    struct Owned;

    CommandContext& context_;
    std::unique_ptr<Owned> owned_; // none for a store opened elsewhere
    SessionParts parts_;
    bool readOnly_ = false;
    bool recoveryFailed_ = false;
};

// Prints an outcome of the switch sequence as the command reports it and gives its exit status.
ExitStatus reportSwitch(CommandContext& context, const SwitchOutcome& outcome);

} // namespace tessarin::cmd
