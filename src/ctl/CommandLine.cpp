#include "CommandLine.h"

namespace tessarin::ctl {

CommandLine parseCommandLine(const std::vector<std::string>& words) {
    CommandLine line;
    bool optionsEnded = false;
    for (const std::string& word : words) {
        if (!optionsEnded) {
            if (word == "--") {
                optionsEnded = true;
                continue;
            }
            if (word == "--json") {
                line.json = true;
                continue;
            }
            if (word == "--verbose" || word == "-v") {
                line.verbose = true;
                continue;
            }
            if (word == "--help" || word == "-h") {
                line.help = true;
                continue;
            }
            if (word == "--version" || word == "-V") {
                line.version = true;
                continue;
            }
        }
        if (line.command) {
            line.args.push_back(word);
        } else if (!optionsEnded && word.starts_with("-") && word.size() > 1) {
            if (!line.unknown)
                line.unknown = word;
        } else if (word == "help" && !optionsEnded) {
            line.help = true;
        } else {
            line.command = word;
        }
    }
    return line;
}

} // namespace tessarin::ctl
