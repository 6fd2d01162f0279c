#pragma once

#include "alerts/Alerts.h"
#include "store/Paths.h"
#include "store/StateStore.h"
#include "support/Log.h"

#include <filesystem>

namespace tessarin {

// A document written by a newer version: logs it, shows the alert and answers true (read-only session).
bool warnIfConfigFromNewerVersion(StateStore& store, Log& log, Alerts& alerts);

// With the setting on, warns when a sync client (Nextcloud, Dropbox, …) manages the Desktop folder.
void warnIfSyncedDesktop(StateStore& store, const Paths& paths, const std::filesystem::path& configHome,
                         Alerts& alerts);

} // namespace tessarin
