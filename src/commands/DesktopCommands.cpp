#include "commands/DesktopCommands.h"

#include "organise/ScreenshotFilter.h"
#include "settings/NamingRules.h"
#include "swap/DesktopSwapper.h"

#include <charconv>
#include <nlohmann/json.hpp>
#include <ostream>
#include <variant>

namespace tessarin::cmd {

namespace {

// The request of `new`, or what is wrong with its arguments.
std::variant<NewDesktop, std::string> parseNew(const std::vector<std::string>& args,
                                               const std::string& usage) {
    NewDesktop request;
    std::optional<std::string> name;
    std::optional<ArchiveTimerMode> mode;
    int64_t days = 0;
    bool temporary = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool takesValue = arg == "--idle" || arg == "--fixed" || arg == "--move-into";
        if (takesValue && i + 1 == args.size())
            return arg + " needs a value.\n" + usage;
        if (arg == "--temporary") {
            temporary = true;
        } else if (arg == "--idle" || arg == "--fixed") {
            if (mode)
                return std::string("Use only one of --idle and --fixed.\n") + usage;
            mode = arg == "--idle" ? ArchiveTimerMode::idle : ArchiveTimerMode::fixed;
            const std::string& text = args[++i];
            const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), days);
            if (error != std::errc() || end != text.data() + text.size() || days < 0 || days > 36500)
                return "DAYS is a whole number of days from 0 to 36500, not \u201c" + text + "\u201d.\n" +
                       usage;
        } else if (arg == "--move-into") {
            request.drainTarget = args[++i];
        } else if (arg == "--no-cleanup") {
            request.createsCleanupTask = false;
        } else if (arg == "--carousel") {
            request.addToCarousel = true;
        } else if (arg.starts_with("--")) {
            return "Unknown option " + arg + ".\n" + usage;
        } else if (name) {
            return usage;
        } else {
            name = arg;
        }
    }
    if (!name)
        return usage;
    if (!temporary && (mode || request.drainTarget))
        return std::string("--idle, --fixed and --move-into are for temporary desktops: add --temporary.\n") +
               usage;
    if (request.drainTarget && !mode)
        return std::string("--move-into needs --idle DAYS or --fixed DAYS: when to move.\n") + usage;
    request.name = *name;
    request.type = temporary ? WorkspaceType::temporary : WorkspaceType::permanent;
    if (mode)
        request.timer = ArchiveTimer{*mode, days};
    return request;
}

} // namespace

std::optional<std::string> NewCommand::argumentProblem(const std::vector<std::string>& args) const {
    const auto parsed = parseNew(args, usageText);
    if (const auto* problem = std::get_if<std::string>(&parsed))
        return *problem;
    return std::nullopt;
}

ExitStatus NewCommand::runWithModel(SettingsModel& model, Session&, CommandContext& context,
                                    const std::vector<std::string>& args) {
    const NewDesktop request = std::get<NewDesktop>(parseNew(args, usageText));
    const bool created = model.desktops.create(request);
    const ExitStatus status = outcome(model, context);
    if (status == ExitStatus::done && created && context.json)
        context.out << nlohmann::ordered_json{{"created", trimmedName(request.name)}}.dump() << "\n";
    return status;
}

ExitStatus RenameCommand::runWithModel(SettingsModel& model, Session&, CommandContext& context,
                                       const std::vector<std::string>& args) {
    if (auto refusal = notAUserDesktop(model, args[0]))
        return refuse(context, *refusal);
    model.desktops.rename(args[0], args[1]);
    return outcome(model, context);
}

std::optional<std::string> TypeCommand::argumentProblem(const std::vector<std::string>& args) const {
    if (args.size() != 2 || !enumFromName<WorkspaceType>(args[1]))
        return "Usage: tessarinctl type NAME permanent|temporary";
    return std::nullopt;
}

ExitStatus TypeCommand::runWithModel(SettingsModel& model, Session&, CommandContext& context,
                                     const std::vector<std::string>& args) {
    if (auto refusal = notAUserDesktop(model, args[0]))
        return refuse(context, *refusal);
    model.desktops.setType(args[0], *enumFromName<WorkspaceType>(args[1]));
    return outcome(model, context);
}

std::optional<std::string> OrderCommand::argumentProblem(const std::vector<std::string>& args) const {
    if (args.empty())
        return usageLine();
    return std::nullopt;
}

ExitStatus OrderCommand::runWithModel(SettingsModel& model, Session&, CommandContext& context,
                                      const std::vector<std::string>& args) {
    if (!model.desktops.setDeskOrder(args) && !model.errorMessage()) {
        std::string live;
        for (const auto& w : model.config().liveWorkspaces())
            live += (live.empty() ? "" : ", ") + w.name;
        return refuse(context, "Name every live desktop once, in the new order: " + live + ".");
    }
    return outcome(model, context);
}

ExitStatus AdoptCommand::runWithModel(SettingsModel& model, Session&, CommandContext& context,
                                      const std::vector<std::string>& args) {
    model.desktops.adoptFolder(args[0]);
    return outcome(model, context);
}

ExitStatus PinCommand::runWithModel(SettingsModel& model, Session&, CommandContext& context,
                                    const std::vector<std::string>& args) {
    // Pinning again changes nothing; the pin the user wants is there.
    const std::string item = trimmedWhiteSpace(args[0]);
    if (model.pinned.isPinned(item)) {
        context.out << quotedName(item) << " is already pinned.\n";
        return ExitStatus::done;
    }
    model.pinned.addPinnedFolder(args[0]);
    return outcome(model, context);
}

ExitStatus UnpinCommand::runWithModel(SettingsModel& model, Session&, CommandContext& context,
                                      const std::vector<std::string>& args) {
    if (!model.pinned.isPinned(args[0]))
        return refuse(context, quotedName(args[0]) + " isn't pinned.");
    model.pinned.removePinnedFolder(args[0]);
    return outcome(model, context);
}

} // namespace tessarin::cmd
