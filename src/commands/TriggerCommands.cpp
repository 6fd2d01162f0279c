#include "commands/TriggerCommands.h"

#include "swap/DesktopSwapper.h"
#include "triggers/ShortcutCombo.h"

#include <algorithm>
#include <nlohmann/json.hpp>
#include <ostream>

namespace tessarin::cmd {

namespace {

using Kind = HotKeyAssignment::Owner::Kind;

// The commands that have a shortcut, by the word tessarinctl takes, with the command a compositor
// can run instead where tessarinctl has one.
struct CommandOwner {
    const char* word;
    Kind kind;
    const char* equivalent;
};
constexpr CommandOwner commandOwners[] = {
    {"cycle-next", Kind::cycleNext, "tessarinctl next"},
    {"cycle-previous", Kind::cyclePrevious, "tessarinctl previous"},
    {"hide-desktop", Kind::hideDesktop, "tessarinctl toggle"},
    {"switch-to-last", Kind::switchToLast, "tessarinctl last"},
    {"open-settings", Kind::openSettings, nullptr},
    {"open-calendar", Kind::openCalendar, nullptr},
    {"sort-now", Kind::sortNow, "tessarinctl sort-now"},
    {"floating-dock", Kind::floatingDock, nullptr},
};

const CommandOwner* commandOwner(Kind kind) {
    const auto it = std::find_if(std::begin(commandOwners), std::end(commandOwners),
                                 [&](const CommandOwner& c) { return c.kind == kind; });
    return it == std::end(commandOwners) ? nullptr : it;
}

// The owner OWNER names: a command's word, else a live desktop's name; the refusal otherwise.
std::variant<HotKeyAssignment::Owner, std::string> ownerNamed(const Config& config, const std::string& word) {
    for (const auto& c : commandOwners)
        if (word == c.word)
            return HotKeyAssignment::Owner::of(c.kind);
    const auto live = config.liveWorkspaces();
    if (std::none_of(live.begin(), live.end(), [&](const Workspace& w) { return w.name == word; }))
        return std::string(SwapError::unknownWorkspace(word).what()) +
               " Shortcuts belong to a desktop or to one of: cycle-next, cycle-previous, hide-desktop, "
               "switch-to-last, open-settings, open-calendar, sort-now, floating-dock.";
    return HotKeyAssignment::Owner::forWorkspace(word);
}

std::string ownerWord(const HotKeyAssignment::Owner& owner) {
    if (owner.kind == Kind::workspace)
        return owner.workspaceName;
    return commandOwner(owner.kind)->word;
}

std::optional<HotKeySpec> shortcutOf(const Config& config, const HotKeyAssignment::Owner& owner) {
    for (const auto& assignment : config.hotKeyAssignments())
        if (assignment.owner == owner)
            return assignment.spec;
    return std::nullopt;
}

bool store(SettingsModel& model, const HotKeyAssignment::Owner& owner,
           const std::optional<HotKeySpec>& spec) {
    ShortcutEditor& s = model.shortcuts;
    switch (owner.kind) {
    case Kind::workspace:
        return s.setHotkey(spec, owner.workspaceName);
    case Kind::cycleNext:
        return s.setCycle(true, spec);
    case Kind::cyclePrevious:
        return s.setCycle(false, spec);
    case Kind::hideDesktop:
        return s.setHideDesktopShortcut(spec);
    case Kind::switchToLast:
        return s.setSwitchToLastShortcut(spec);
    case Kind::openSettings:
        return s.setOpenSettingsShortcut(spec);
    case Kind::openCalendar:
        return s.setOpenCalendarShortcut(spec);
    case Kind::sortNow:
        return s.setSortNowShortcut(spec);
    case Kind::floatingDock:
        return s.setFloatingDockShortcut(spec);
    }
    return false;
}

std::string displayText(const HotKeySpec& spec, const TriggerServices& triggers) {
    return shortcutTextIn(triggers)(spec);
}

std::string comboText(const HotKeySpec& spec, const TriggerServices& triggers) {
    return triggers.keyboard ? shortcutComboText(spec, *triggers.keyboard) : displayText(spec, triggers);
}

// Where a global shortcut can't fire, what to bind in the desktop's own settings instead.
std::string wontFireNote(const HotKeyAssignment::Owner& owner, const std::string& combo) {
    std::string note = "Stored, but this session lets no application take keys for the whole screen, so the "
                       "shortcut will not fire.";
    std::string equivalent;
    if (owner.kind == Kind::workspace)
        equivalent = "tessarinctl switch \"" + owner.workspaceName + "\"";
    else if (const char* command = commandOwner(owner.kind)->equivalent)
        equivalent = command;
    if (!equivalent.empty())
        note += " Bind " + combo + " to the command \u201c" + equivalent +
                "\u201d in your desktop's own keyboard shortcut settings instead.";
    return note;
}

} // namespace

std::optional<std::string> ShortcutCommand::argumentProblem(const std::vector<std::string>& args) const {
    if (args.empty() || args.size() > 2)
        return usageLine();
    return std::nullopt;
}

ExitStatus ShortcutCommand::runWithModel(SettingsModel& model, Session&, CommandContext& context,
                                         const std::vector<std::string>& args) {
    model.reload();
    const auto owner = ownerNamed(model.config(), args[0]);
    if (const auto* refusal = std::get_if<std::string>(&owner))
        return refuse(context, *refusal);
    const auto& who = std::get<HotKeyAssignment::Owner>(owner);
    if (args.size() == 1) {
        if (const auto spec = shortcutOf(model.config(), who))
            context.out << displayText(*spec, context.triggers) << " (" << comboText(*spec, context.triggers)
                        << ")\n";
        else
            context.out << "none\n";
        return ExitStatus::done;
    }
    std::optional<HotKeySpec> spec;
    if (args[1] != "--clear") {
        if (!context.triggers.keyboard)
            return refuse(context,
                          "Tessarin can't read the keyboard layout here to understand the shortcut.");
        auto parsed = parseShortcutCombo(args[1], *context.triggers.keyboard);
        if (const auto* problem = std::get_if<std::string>(&parsed))
            return refuse(context, *problem);
        spec = std::get<HotKeySpec>(parsed);
    }
    store(model, who, spec);
    if (model.errorMessage())
        return outcome(model, context);
    if (spec && context.triggers.globalShortcutsFire && !context.triggers.globalShortcutsFire())
        context.out << wontFireNote(who, comboText(*spec, context.triggers)) << "\n";
    return ExitStatus::done;
}

ExitStatus ShortcutsCommand::runInSession(Session& session, CommandContext& context,
                                          const std::vector<std::string>&) {
    // An unreadable document ends the command with its message, as every command does.
    const Config config = session.store().loadConfig();
    const TriggerServices& triggers = context.triggers;
    auto list = nlohmann::ordered_json::array();
    for (const auto& assignment : config.hotKeyAssignments()) {
        const std::string display = displayText(assignment.spec, triggers);
        const std::string combo = comboText(assignment.spec, triggers);
        // -1 unknown, 0 not registered, 1 registered.
        int active = -1;
        if (triggers.shortcutActive)
            if (const auto registered = triggers.shortcutActive(assignment.spec))
                active = *registered ? 1 : 0;
        if (context.json) {
            list.push_back(
                {{"owner", ownerWord(assignment.owner)},
                 {"desktop", assignment.owner.kind == Kind::workspace},
                 {"shortcut", display},
                 {"combo", combo},
                 {"keyCode", assignment.spec.keyCode},
                 {"modifiers", assignment.spec.modifiers},
                 {"active", active < 0 ? nlohmann::ordered_json() : nlohmann::ordered_json(active == 1)}});
            continue;
        }
        context.out << ownerWord(assignment.owner) << ": " << display << " (" << combo << ")";
        if (active == 0)
            context.out << " \u2014 not active: another application holds it";
        context.out << "\n";
    }
    if (context.json)
        context.out << nlohmann::ordered_json{{"shortcuts", list}}.dump() << "\n";
    return ExitStatus::done;
}

std::optional<std::string> SpaceCommand::argumentProblem(const std::vector<std::string>& args) const {
    if (args.empty() || args.size() > 2)
        return usageLine();
    if (args.size() == 2 && args[1] != "--unbind" &&
        (args[1].empty() || args[1].size() > 4 || !std::all_of(args[1].begin(), args[1].end(), ::isdigit) ||
         std::stoi(args[1]) < 1))
        return "tessarinctl space: NUMBER is a workspace's number, 1 for the first.\n" + usageLine();
    return std::nullopt;
}

ExitStatus SpaceCommand::runWithModel(SettingsModel& model, Session&, CommandContext& context,
                                      const std::vector<std::string>& args) {
    model.reload();
    const std::string& name = args[0];
    const auto live = model.config().liveWorkspaces();
    const auto desktop =
        std::find_if(live.begin(), live.end(), [&](const Workspace& w) { return w.name == name; });
    if (desktop == live.end())
        return refuse(context, SwapError::unknownWorkspace(name).what());
    const SpaceIdentifier* spaces = context.triggers.spaces;
    if (args.size() == 1) {
        if (!spaces || !spaces->available())
            context.out << (desktop->spaceUUID ? "Bound to a workspace this session can't read" : "Not bound")
                        << "\n";
        else
            context.out << spaceBindingLabel(desktop->spaceUUID, *spaces) << "\n";
        return ExitStatus::done;
    }
    if (args[1] == "--unbind") {
        model.desktops.setSpaceBinding(name, std::nullopt);
        return outcome(model, context);
    }
    if (!spaces || !spaces->available())
        return refuse(context, spaceFollowingUnavailableText() +
                                   (spaces ? " " + spaces->unavailableReason() : std::string()));
    const auto identities = spaces->userSpaceIdentities();
    const auto number = static_cast<size_t>(std::stoi(args[1]));
    if (number > identities.size())
        return refuse(context, "There is no workspace " + args[1] + ": this session has " +
                                   std::to_string(identities.size()) + ".");
    model.desktops.setSpaceBinding(name, identities[number - 1]);
    if (model.errorMessage())
        return outcome(model, context);
    if (!model.config().settings.followSpaces)
        context.out
            << "Workspace following is off; turn it on with \u201ctessarinctl set followSpaces true\u201d.\n";
    return ExitStatus::done;
}

} // namespace tessarin::cmd
