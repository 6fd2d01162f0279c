#include "CommandLine.h"
#include "commands/Command.h"
#include "forward/DBusAgentLink.h"
#include "session/CommandTriggers.h"

#include <iostream>
#include <string>
#include <vector>

using namespace tessarin::cmd;
using tessarin::ctl::DBusAgentLink;

namespace {

void printHelp(std::ostream& out, const CommandList& commands) {
    out << "Usage: tessarinctl [OPTIONS] COMMAND [ARGS]\n\n"
           "Controls Tessarin's desktops. Forwards to the running agent when there is one,\n"
           "otherwise does the work itself.\n\nCommands:\n";
    for (const auto& c : commands) {
        std::string head = c->name();
        if (!c->synopsis().empty())
            head += " " + c->synopsis();
        out << "  " << head << std::string(head.size() < 22 ? 22 - head.size() : 1, ' ') << c->summary()
            << "\n";
    }
    out << "\nOptions (before or after the command):\n"
           "  --json          print data as one JSON object\n"
           "  -v, --verbose   show log lines on stderr\n"
           "  -h, --help      show this help\n"
           "  --              end of the options: what follows is the command's, even when it starts\n"
           "                  with a dash (tessarinctl switch -- -notes)\n\n"
           "JSON output (--json), one object per command:\n"
           "  status   {\"active\": NAME, \"live\": [NAMES in order], \"archived\": [NAMES, newest first],\n"
           "            \"hidden\": BOOL, \"journalPending\": BOOL, \"readOnly\": BOOL}\n"
           "  list     {\"active\": NAME, \"live\": [NAMES]}\n"
           "  switch, hide, show, toggle, next, previous, last\n"
           "           {\"result\": \"switched\", \"from\": NAME, \"to\": NAME, \"skips\": [NAMES],\n"
           "            \"milliseconds\": N}, or {\"result\": \"nothingToDo\"}\n"
           "  archive  {\"archived\": NAME, \"location\": PATH}\n"
           "  restore  {\"restored\": NAME, \"folder\": PATH}\n"
           "  pour     {\"poured\": NAME, \"into\": NAME, \"folder\": PATH}\n"
           "  delete   {\"deleted\": NAME}\n"
           "  tick     {\"completed\": [NAMES], \"log\": [LINES], \"failed\": [LINES]}\n"
           "  cleanups {\"tasks\": [{\"id\", \"date\", \"members\"}],\n"
           "            \"reminders\": [{\"identifier\", \"fireAt\", \"title\", \"body\", \"sound\"}]}\n"
           "  diagnostics {\"report\": TEXT, \"mailto\": URL or null}\n"
           "  new      {\"created\": NAME}\n"
           "  sort-now {\"swept\": [LINES]}\n"
           "  filter   {\"enabled\": BOOL, \"rules\": [{\"position\", \"id\", \"enabled\", \"pattern\",\n"
           "            \"desktop\"}]}; filter add: {\"id\": ID, \"position\": N}\n"
           "  get      {KEY: VALUE}; without KEY, every setting: {KEY: VALUE, ...}\n"
           "  shortcuts {\"shortcuts\": [{\"owner\", \"desktop\": BOOL, \"shortcut\", \"combo\", "
           "\"keyCode\",\n"
           "            \"modifiers\", \"active\": BOOL, or null when no agent runs}]}\n"
           "  config   the document itself\n\n"
           "Exit status: 0 done, 1 refused or failed (message on stderr), 2 usage,\n"
           "3 the store is held by another process, 4 read-only session (newer document).\n";
}

} // namespace

int main(int argc, char** argv) {
    const CommandList commands = makeCommands();
    const tessarin::ctl::CommandLine line =
        tessarin::ctl::parseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    if (line.help) {
        printHelp(std::cout, commands);
        return static_cast<int>(ExitStatus::done);
    }
    if (line.unknown) {
        std::cerr << "tessarinctl: unknown option " << *line.unknown << " (see tessarinctl --help)\n";
        return static_cast<int>(ExitStatus::usage);
    }
    if (!line.command) {
        printHelp(std::cerr, commands);
        return static_cast<int>(ExitStatus::usage);
    }
    CommandContext context{std::cout, std::cerr, line.json, line.verbose, tessarin::Paths::forCurrentUser()};
    tessarin::CommandTriggers triggers; // the keyboard layout and workspaces, opened when a command asks
    context.triggers = triggers.services();
    for (const auto& c : commands) {
        if (c->name() != *line.command)
            continue;
        // With the agent running, the agent does the work (it holds the store); otherwise this process.
        const auto agent = DBusAgentLink::connectIfRunning(context.paths.root);
        context.agent = agent.get();
        return static_cast<int>(c->run(context, line.args));
    }
    std::cerr << "tessarinctl: unknown command " << *line.command << " (see tessarinctl --help)\n";
    return static_cast<int>(ExitStatus::usage);
}
