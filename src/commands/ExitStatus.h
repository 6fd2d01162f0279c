#pragma once

namespace tessarin::cmd {

// The exit statuses of tessarinctl.
enum class ExitStatus : int {
    done = 0,     // the command did its work
    refused = 1,  // refused or failed; the user-facing message is on stderr
    usage = 2,    // the command line was wrong
    busy = 3,     // the store is held by another process
    readOnly = 4, // the document was written by a newer version
};

} // namespace tessarin::cmd
