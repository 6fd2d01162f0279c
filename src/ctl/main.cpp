#include "commands/Command.h"
#include "forward/DBusAgentLink.h"
#include "session/CommandTriggers.h"

#include <iostream>
#include <string_view>

using namespace tessarin::cmd;
using tessarin::ctl::DBusAgentLink;

namespace {

void printHelp(std::ostream& out, const CommandList& commands) {
    out << "Usage: tessarinctl [--json] [--verbose] COMMAND [ARGS]\n\n"
           "Controls Tessarin's desktops. Forwards to the running agent when there is one,\n"
           "otherwise does the work itself.\n\nCommands:\n";
    for (const auto& c : commands) {
        std::string head = c->name();
        if (!c->synopsis().empty())
            head += " " + c->synopsis();
        out << "  " << head << std::string(head.size() < 22 ? 22 - head.size() : 1, ' ') << c->summary()
            << "\n";
    }
    out << "\nOptions:\n"
           "  --json      print data as one JSON object\n"
           "  --verbose   show log lines on stderr\n"
           "  --help      show this help\n\n"
           "JSON output (--json), one object per command:\n"
           "  status   {\"active\": NAME, \"live\": [NAMES in order], \"archived\": [NAMES, newest first],\n"
           "            \"hidden\": BOOL, \"journalPending\": BOOL, \"readOnly\": BOOL}\n"
           "  list     {\"active\": NAME, \"live\": [NAMES]}\n"
           "  switch, hide, show, toggle, next, previous\n"
           "           {\"result\": \"switched\"|\"nothingToDo\", \"from\": NAME, \"to\": NAME,\n"
           "            \"skips\": [NAMES], \"milliseconds\": N}\n"
           "  shortcuts {\"shortcuts\": [{\"owner\", \"desktop\": BOOL, \"shortcut\", \"combo\", "
           "\"keyCode\",\n"
           "            \"modifiers\", \"active\": BOOL, or null when no agent runs}]}\n\n"
           "Exit status: 0 done, 1 refused or failed (message on stderr), 2 usage,\n"
           "3 the store is held by another process, 4 read-only session (newer document).\n";
}

} // namespace

int main(int argc, char** argv) {
    const CommandList commands = makeCommands();
    CommandContext context{std::cout, std::cerr, false, false, tessarin::Paths::forCurrentUser()};
    tessarin::CommandTriggers triggers; // the keyboard layout and workspaces, opened when a command asks
    context.triggers = triggers.services();
    int i = 1;
    for (; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--json") {
            context.json = true;
        } else if (arg == "--verbose" || arg == "-v") {
            context.verbose = true;
        } else if (arg == "--help" || arg == "-h" || arg == "help") {
            printHelp(std::cout, commands);
            return static_cast<int>(ExitStatus::done);
        } else if (arg.starts_with("-")) {
            std::cerr << "tessarinctl: unknown option " << arg << " (see tessarinctl --help)\n";
            return static_cast<int>(ExitStatus::usage);
        } else {
            break;
        }
    }
    if (i == argc) {
        printHelp(std::cerr, commands);
        return static_cast<int>(ExitStatus::usage);
    }
    const std::string_view name = argv[i];
    for (const auto& c : commands) {
        if (c->name() != name)
            continue;
        // With the agent running, the agent does the work (it holds the store); otherwise this process.
        const auto agent = DBusAgentLink::connectIfRunning(context.paths.root);
        context.agent = agent.get();
        return static_cast<int>(c->run(context, std::vector<std::string>(argv + i + 1, argv + argc)));
    }
    std::cerr << "tessarinctl: unknown command " << name << " (see tessarinctl --help)\n";
    return static_cast<int>(ExitStatus::usage);
}
