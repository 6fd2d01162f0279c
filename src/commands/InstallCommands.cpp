#include "commands/InstallCommands.h"

#include "control/AgentActivation.h"
#include "freedesktop/AutostartEntry.h"
#include "session/Uninstaller.h"

#include <nlohmann/json.hpp>
#include <ostream>

namespace tessarin::cmd {

namespace {

AutostartEntry autostartEntry(const CommandContext& context) {
    return AutostartEntry(userConfigHome(context.paths.home), Installation::current());
}

// The command done by the running agent; none when there is none or it left before answering.
std::optional<ExitStatus> forwarded(const std::string& name, CommandContext& context,
                                    const std::vector<std::string>& args) {
    if (!context.agent)
        return std::nullopt;
    std::vector<std::string> line{name};
    line.insert(line.end(), args.begin(), args.end());
    const AgentRun run = context.agent->runCommand(line, context.json);
    if (run.agentGone)
        return std::nullopt;
    context.out << run.out;
    context.err << run.err;
    return run.status;
}

const char* removalName(RemovalStep step) {
    switch (step) {
    case RemovalStep::revealProgram:
        return "appImage";
    case RemovalStep::removePackage:
        return "package";
    case RemovalStep::removeInstalledFiles:
        return "installedFiles";
    case RemovalStep::none:
        break;
    }
    return "none";
}

// The end of an uninstall: the autostart entry removed (a failure is ignored), then what is left to do.
void finishUninstall(CommandContext& context, const std::vector<RestoredDesktop>& restored) {
    const Installation installation = Installation::current();
    AutostartEntry entry(userConfigHome(context.paths.home), installation);
    try {
        entry.turnOff();
    } catch (const AutostartError&) {
    }
    if (context.json) {
        auto folders = nlohmann::ordered_json::array();
        for (const auto& r : restored)
            folders.push_back(
                {{"desktop", r.desktop}, {"folder", (context.paths.desktop / r.folderName).string()}});
        nlohmann::ordered_json j;
        j["restored"] = std::move(folders);
        j["autostart"] = entry.isOn();
        j["removal"] = removalName(installation.removalStep());
        j["instructions"] = installation.removalInstructions();
        context.out << j.dump() << "\n";
        return;
    }
    for (const auto& r : restored)
        context.out << "Restored \u201c" << r.desktop << "\u201d \u2192 "
                    << (context.paths.desktop / r.folderName).string() << "\n";
    if (restored.empty())
        context.out << "No desktop folder needed bringing back.\n";
    context.out << "Tessarin no longer starts when you log in.\n"
                << installation.removalInstructions() << "\n";
}

} // namespace

ExitStatus AutostartCommand::run(CommandContext& context, const std::vector<std::string>& args) {
    if (args.size() > 1 || (args.size() == 1 && args[0] != "on" && args[0] != "off")) {
        context.err << "Usage: tessarinctl autostart [on | off]\n";
        return ExitStatus::usage;
    }
    if (auto status = forwarded(name(), context, args))
        return *status;
    AutostartEntry entry = autostartEntry(context);
    if (!args.empty()) {
        try {
            entry.set(args[0] == "on");
        } catch (const AutostartError& e) {
            context.err << e.what() << "\n";
            return ExitStatus::refused;
        }
    }
    const auto reason = entry.unavailableReason();
    if (context.json) {
        nlohmann::ordered_json j;
        j["autostart"] = entry.isOn();
        j["available"] = !reason;
        j["reason"] = reason ? nlohmann::ordered_json(*reason) : nlohmann::ordered_json(nullptr);
        j["entry"] = entry.path().string();
        context.out << j.dump() << "\n";
    } else if (args.empty()) {
        context.out << (entry.isOn() ? "on" : "off") << (reason ? " (" + *reason + ")" : std::string())
                    << "\n";
    }
    return ExitStatus::done;
}

std::optional<std::string> UninstallCommand::argumentProblem(const std::vector<std::string>& args) const {
    if (args.size() == 1 && args[0] == "--yes")
        return std::nullopt;
    return usageLine();
}

ExitStatus UninstallCommand::run(CommandContext& context, const std::vector<std::string>& args) {
    if (args.empty()) {
        // The question the settings window asks; on the command line --yes is the answer.
        Config config = makeDefaultConfig();
        try {
            FileStateStore store(context.paths.config, context.paths.journal);
            config = store.loadConfig();
        } catch (...) {
        }
        const auto question = uninstallQuestion(config, context.paths, Installation::current().removalStep());
        context.err << question.message << "\n"
                    << question.informative << "\n"
                    << "Nothing was changed. Run \u201ctessarinctl uninstall --yes\u201d to go ahead.\n";
        return ExitStatus::usage;
    }
    std::error_code ec;
    if (argumentProblem(args) || context.agent || std::filesystem::exists(context.paths.store, ec))
        return SessionCommand::run(context, args);
    // No store: there are no desktops to bring back, and none is created just to be emptied.
    finishUninstall(context, {});
    return ExitStatus::done;
}

ExitStatus UninstallCommand::runInSession(Session& session, CommandContext& context,
                                          const std::vector<std::string>&) {
    if (auto refused = session.refuseIfReadOnly())
        return *refused;
    if (session.journalPending()) {
        context.err
            << "An interrupted switch couldn\u2019t be finished, so no desktop was moved. Nothing was "
               "changed.\n";
        return ExitStatus::refused;
    }
    Uninstaller uninstaller(session.paths(), session.store(), session.log());
    finishUninstall(context, uninstaller.restoreDesksToDesktop());
    return ExitStatus::done;
}

ExitStatus StartCommand::run(CommandContext& context, const std::vector<std::string>& args) {
    if (!args.empty()) {
        context.err << "Usage: tessarinctl start\n";
        return ExitStatus::usage;
    }
    if (control::agentIsRunning()) {
        context.out << "Tessarin is already running.\n";
        return ExitStatus::done;
    }
    if (const auto problem = control::startAgentThroughBus()) {
        context.err << *problem << "\n";
        return ExitStatus::refused;
    }
    return ExitStatus::done;
}

} // namespace tessarin::cmd
