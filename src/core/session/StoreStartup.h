#pragma once

#include "model/Config.h"
#include "session/StartupError.h"
#include "store/Paths.h"
#include "store/StateStore.h"
#include "support/Clock.h"
#include "support/Log.h"
#include "swap/DesktopSurface.h"
#include "swap/DesktopSwapper.h"

#include <string>
#include <vector>

namespace tessarin {

// Refuses a Desktop that is the home folder, lies inside the store or contains it: swapping such a
// folder would move things no user meant to move. Throws StartupError; touches nothing.
void checkDesktopLocation(const Paths& paths);

// The start-up steps shared by the agent and tessarinctl: create the store and the first document,
// migrate the old blank name, make the desktop folders, finish an interrupted switch, and stamp the
// active desktop as visited.
class StoreStartup {
public:
    static constexpr const char* firstWorkspaceName = "Default";
    static constexpr const char* oldBlankWorkspaceName = "_blank";

    StoreStartup(const Paths& paths, StateStore& store, DesktopSurface& surface, Log& log,
                 const Clock& clock);

    // True when config.json was written by a newer version: nothing may be written then.
    bool documentIsNewer();

    // Creates the store folder and, on first use, the document with "Default" (holding what is on the
    // Desktop) and the blank desktop; migrates "_blank"; creates the live desktops' folders and hides
    // the blank one. Throws on the first failure.
    void bootstrapIfNeeded();
    void migrateBlankWorkspaceName();
    // Completes or forgets an archive cut short (Archiver::finishInterruptedArchives). Runs before the
    // desktop folders are made.
    void finishInterruptedArchives();

    // The records of the document that name a desktop folder that can't be one, one line each, also
    // logged; bootstrapIfNeeded makes no folder for them and every operation that would use them
    // refuses. Empty when the document is sound or can't be read.
    std::vector<std::string> unusableRecords();

    // Finishes a journalled switch with its two log lines; errors are passed on.
    void recover(DesktopSwapper& swapper);

    // The active desktop's lastActiveAt = now; failures are ignored.
    void stampActiveVisited();

private:
    void hideBlankFolder();

    const Paths& paths_;
    StateStore& store_;
    DesktopSurface& surface_;
    Log& log_;
    const Clock& clock_;
};

} // namespace tessarin
