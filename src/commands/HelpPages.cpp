#include "commands/HelpPages.h"

namespace tessarin::cmd {

namespace {

HelpDocument::Section filesSection() {
    return {"Files",
            {},
            {{"~/Tessarin Desktops", "the store: one folder per desktop, .pinned, Archive"},
             {"~/Tessarin Desktops/.store/config.json", "the desktops and the settings"},
             {"~/Tessarin Desktops/.store/journal.json", "the switch being made; finished at the next start"},
             {"$XDG_CONFIG_HOME/autostart/com.orrinvale.Tessarin.desktop",
              "present while Tessarin starts when you log in"}},
            {}};
}

} // namespace

HelpDocument tessarinctlHelp(const CommandList& commands) {
    HelpDocument help;
    help.program = "tessarinctl";
    help.summary = "control Tessarin's desktops from the command line";
    help.usage = {"tessarinctl [OPTIONS] COMMAND [ARGS]", "tessarinctl --help | --version"};
    help.description = {"Controls Tessarin's desktops. Forwards to the running agent when there is one, "
                        "otherwise does the work itself."};

    HelpDocument::Section list{"Commands", {}, {}, {}};
    for (const auto& c : commands)
        list.entries.push_back(
            {c->synopsis().empty() ? c->name() : c->name() + " " + c->synopsis(), c->summary()});
    help.sections.push_back(std::move(list));
    help.sections.push_back({"Options",
                             {"Options count before or after the command."},
                             {{"--json", "print data as one JSON object"},
                              {"-v, --verbose", "show log lines on stderr"},
                              {"-h, --help", "show this help"},
                              {"-V, --version", "show the version"},
                              {"--", "end of the options: what follows is the command's, even when it starts "
                                     "with a dash (tessarinctl switch -- -notes)"}},
                             {}});
    help.sections.push_back(
        {"JSON output",
         {"With --json, one object per command:"},
         {},
         {"status   {\"active\": NAME, \"live\": [NAMES in order], \"archived\": [NAMES, newest first],",
          "          \"hidden\": BOOL, \"journalPending\": BOOL, \"readOnly\": BOOL}",
          "list     {\"active\": NAME, \"live\": [NAMES]}",
          "switch, hide, show, toggle, next, previous, last",
          "         {\"result\": \"switched\", \"from\": NAME, \"to\": NAME, \"skips\": [NAMES],",
          "          \"milliseconds\": N}, or {\"result\": \"nothingToDo\"}",
          "archive  {\"archived\": NAME, \"location\": PATH}",
          "restore  {\"restored\": NAME, \"folder\": PATH}",
          "pour     {\"poured\": NAME, \"into\": NAME, \"folder\": PATH}",
          "delete   {\"deleted\": NAME}",
          "tick     {\"completed\": [NAMES], \"log\": [LINES], \"failed\": [LINES]}",
          "cleanups {\"tasks\": [{\"id\", \"date\", \"members\"}],",
          "          \"reminders\": [{\"identifier\", \"fireAt\", \"title\", \"body\", \"sound\"}]}",
          "diagnostics {\"report\": TEXT, \"mailto\": URL or null}",
          "new      {\"created\": NAME}",
          "sort-now {\"swept\": [LINES]}",
          "filter   {\"enabled\": BOOL, \"rules\": [{\"position\", \"id\", \"enabled\", \"pattern\",",
          "          \"desktop\"}]}; filter add: {\"id\": ID, \"position\": N}",
          "get      {KEY: VALUE}; without KEY, every setting: {KEY: VALUE, ...}",
          "shortcuts {\"shortcuts\": [{\"owner\", \"desktop\": BOOL, \"shortcut\", \"combo\", \"keyCode\",",
          "          \"modifiers\", \"active\": BOOL, or null when no agent runs}]}",
          "autostart {\"autostart\": BOOL, \"available\": BOOL, \"reason\": TEXT|null, \"entry\": PATH}",
          "uninstall {\"restored\": [{\"desktop\": NAME, \"folder\": PATH}], \"autostart\": BOOL,",
          "          \"removal\": \"package\"|\"appImage\"|\"installedFiles\"|\"none\", \"instructions\": "
          "TEXT}",
          "config   the document itself"}});
    help.sections.push_back({"Exit status",
                             {},
                             {{"0", "done"},
                              {"1", "refused or failed (the message is on stderr)"},
                              {"2", "usage"},
                              {"3", "the store is held by another process"},
                              {"4", "read-only session (the document was written by a newer version)"}},
                             {}});
    help.manualOnly.push_back(filesSection());
    help.manualOnly.push_back({"See also", {"tessarin(1)"}, {}, {}});
    return help;
}

HelpDocument tessarinHelp() {
    HelpDocument help;
    help.program = "tessarin";
    help.summary = "several named desktops for one Desktop folder";
    help.usage = {"tessarin", "tessarin --help | --version"};
    help.description = {
        "Tessarin gives your account several named desktops. The items on your Desktop folder belong to the "
        "active desktop; switching moves them into that desktop's folder in ~/Tessarin Desktops and moves "
        "the "
        "next desktop's items onto the Desktop. Every switch is journalled before the first item moves, so a "
        "switch cut short is finished at the next start.",
        "Started without options, tessarin runs as an agent with an icon in the panel's tray and a menu; it "
        "opens no window. Only one agent runs at a time. tessarinctl(1) controls it from the command line."};
    help.sections.push_back(
        {"Options",
         {},
         {{"--help", "show this help and exit"}, {"--version", "show the version and exit"}},
         {}});
    help.manualOnly.push_back(filesSection());
    help.manualOnly.push_back({"See also", {"tessarinctl(1)"}, {}, {}});
    return help;
}

} // namespace tessarin::cmd
