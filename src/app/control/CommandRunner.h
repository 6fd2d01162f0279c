#pragma once

#include "commands/Session.h"
#include "organise/Archiver.h"
#include "organise/DesktopSweeps.h"
#include "session/SwitchSequence.h"
#include "store/FileStateStore.h"
#include "store/Paths.h"
#include "support/Clock.h"
#include "support/Log.h"
#include "swap/DesktopSwapper.h"
#include "swap/FileSystemSurface.h"

#include <functional>
#include <string>
#include <vector>

namespace tessarin {

// What one tessarinctl command printed and its exit status.
struct CommandResult {
    int status = 0;
    std::string out;
    std::string err;
    bool endsAgent = false; // the desktops were handed back (uninstall): the agent quits next
};

// Runs tessarinctl's own command classes inside the agent, over the agent's store and objects: the
// agent holds the lock and has run the start-up steps, so the commands neither take the lock nor
// repeat them. Output and exit statuses are those of tessarinctl working in its own process.
class CommandRunner {
public:
    CommandRunner(const Paths& paths, cmd::SessionParts parts) : paths_(paths), parts_(parts) {}

    // Called before an uninstall runs (the agent stops what would react to the Desktop filling up).
    void setBeforeUninstall(std::function<void()> before) { beforeUninstall_ = std::move(before); }

    // `args`: the command's name, then its arguments. `json`: tessarinctl's --json.
    CommandResult run(const std::vector<std::string>& args, bool json);
    // The agent's keyboard layout, workspaces and shortcut registrations, for the commands that ask.
    void setTriggers(TriggerServices triggers) { triggers_ = std::move(triggers); }
    // The agent's floating dock, for `dock`.
    void setDock(cmd::DockControl* dock) { dock_ = dock; }

private:
    const Paths& paths_;
    cmd::SessionParts parts_;
    TriggerServices triggers_;
    cmd::DockControl* dock_ = nullptr;
    std::function<void()> beforeUninstall_;
};

} // namespace tessarin
