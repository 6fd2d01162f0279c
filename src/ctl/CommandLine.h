#pragma once

#include <optional>
#include <string>
#include <vector>

namespace tessarin::ctl {

// tessarinctl's command line taken apart. The global options (--json, --verbose or -v, --help or -h,
// --version or -V)
// count wherever they stand, before or after the command, up to a "--", which ends them and is
// dropped. Other options after the command are the command's own.
struct CommandLine {
    bool json = false;
    bool verbose = false;
    bool help = false;
    bool version = false;
    std::optional<std::string> command;
    std::vector<std::string> args;      // the command's arguments and options, in their order
    std::optional<std::string> unknown; // an option before the command that nobody takes
};

// `words`: the command line without the program's name.
CommandLine parseCommandLine(const std::vector<std::string>& words);

} // namespace tessarin::ctl
