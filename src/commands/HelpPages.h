#pragma once

#include "commands/Command.h"
#include "support/HelpDocument.h"

namespace tessarin::cmd {

// tessarinctl's help: printed by --help and made into the tessarinctl(1) manual page at build time.
HelpDocument tessarinctlHelp(const CommandList& commands);

// The agent's help: printed by `tessarin --help` and made into the tessarin(1) manual page.
HelpDocument tessarinHelp();

} // namespace tessarin::cmd
