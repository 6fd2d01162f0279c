#include "commands/OnScreenCommands.h"

#include "model/ConfigCodec.h"
#include "model/DesktopPalette.h"

#include <charconv>
#include <cmath>
#include <nlohmann/json.hpp>
#include <ostream>
#include <sstream>
#include <variant>

namespace tessarin::cmd {

namespace {

struct CueRequest {
    std::string desktop;
    enum class Kind { color, image, off } kind = Kind::off;
    std::string value;
    std::optional<double> opacity;
    bool aboveIcons = false;
};

std::string numberText(double value) {
    std::ostringstream text;
    text << value;
    return text.str();
}

std::optional<double> parseNumber(const std::string& text) {
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::variant<CueRequest, std::string> parseCue(const std::vector<std::string>& args,
                                               const std::string& usage) {
    std::vector<std::string> words;
    CueRequest request;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--above-icons") {
            request.aboveIcons = true;
        } else if (args[i] == "--opacity") {
            if (i + 1 == args.size())
                return "--opacity needs a value.\n" + usage;
            request.opacity = parseNumber(args[++i]);
            if (!request.opacity)
                return "The opacity is a number from 0.05 to 1, not \u201c" + args[i] + "\u201d.\n" + usage;
        } else if (args[i].starts_with("--")) {
            return "Unknown option " + args[i] + ".\n" + usage;
        } else {
            words.push_back(args[i]);
        }
    }
    if (words.size() < 2)
        return usage;
    request.desktop = words[0];
    const std::string& kind = words[1];
    if (kind == "off" && words.size() == 2) {
        if (request.opacity || request.aboveIcons)
            return std::string("--opacity and --above-icons go with color or image.\n") + usage;
        return request;
    }
    if (words.size() != 3 || (kind != "color" && kind != "image"))
        return usage;
    request.kind = kind == "color" ? CueRequest::Kind::color : CueRequest::Kind::image;
    request.value = words[2];
    if (request.kind == CueRequest::Kind::color && !parseHex(request.value))
        return "The colour is written #RRGGBB, not \u201c" + request.value + "\u201d.\n" + usage;
    return request;
}

} // namespace

std::optional<std::string> CueCommand::argumentProblem(const std::vector<std::string>& args) const {
    const auto parsed = parseCue(args, usageLine());
    if (const auto* problem = std::get_if<std::string>(&parsed))
        return *problem;
    return std::nullopt;
}

ExitStatus CueCommand::runWithModel(SettingsModel& model, Session&, CommandContext& context,
                                    const std::vector<std::string>& args) {
    const CueRequest request = std::get<CueRequest>(parseCue(args, usageLine()));
    if (auto refusal = notAUserDesktop(model, request.desktop))
        return refuse(context, *refusal);
    auto& cues = model.cues;
    const std::string& name = request.desktop;
    const bool done = [&] {
        if (request.kind == CueRequest::Kind::off)
            return cues.setCueEnabled(name, false);
        const bool filled = request.kind == CueRequest::Kind::color ? cues.setCueColor(name, request.value)
                                                                    : cues.setCueImage(name, request.value);
        // The limit depends on the place: above the icons first, then the opacity within its range.
        return filled && cues.setCueAboveIcons(name, request.aboveIcons) &&
               (!request.opacity || cues.setCueOpacity(name, *request.opacity)) &&
               cues.setCueEnabled(name, true);
    }();
    if (!done)
        return outcome(model, context);

    const DesktopCue cue = model.config().findWorkspace(name)->cue.value_or(DesktopCue{});
    if (context.json) {
        context.out << nlohmann::ordered_json{{"desktop", name}, {"cue", encodeDesktopCue(cue)}}.dump()
                    << "\n";
    } else if (request.opacity && cue.opacity != *request.opacity) {
        context.out << "Opacity stored as " << numberText(cue.opacity)
                    << (cue.opacity < *request.opacity
                            ? (cue.aboveIcons ? ": the most a cue above the icons may have.\n"
                                              : ": the most a cue may have.\n")
                            : ": the least a cue may have.\n");
    }
    return ExitStatus::done;
}

std::optional<std::string> LookCommand::argumentProblem(const std::vector<std::string>& args) const {
    if (args.empty())
        return usageLine();
    if (!enumFromName<SwitchLook>(args[0]))
        return "The look is one of " + enumNameList<SwitchLook>() + ", not \u201c" + args[0] + "\u201d.\n" +
               usageLine();
    for (std::size_t i = 1; i < args.size(); i += 2) {
        if (args[i] != "--speed" && args[i] != "--intensity")
            return "Unknown option " + args[i] + ".\n" + usageLine();
        if (i + 1 == args.size())
            return args[i] + " needs a value.\n" + usageLine();
        const std::string& value = args[i + 1];
        if (args[i] == "--speed" && !enumFromName<SwitchSpeed>(value))
            return "The speed is one of " + enumNameList<SwitchSpeed>() + ", not \u201c" + value +
                   "\u201d.\n" + usageLine();
        if (args[i] == "--intensity" && !enumFromName<SwitchIntensity>(value))
            return "The intensity is one of " + enumNameList<SwitchIntensity>() + ", not \u201c" + value +
                   "\u201d.\n" + usageLine();
    }
    return std::nullopt;
}

ExitStatus LookCommand::runWithModel(SettingsModel& model, Session&, CommandContext& context,
                                     const std::vector<std::string>& args) {
    // What is not given stays as the user last chose it.
    const AppSettings& now = model.config().settings;
    SwitchSpeed speed = now.switchSpeed;
    SwitchIntensity intensity = now.switchIntensity;
    for (std::size_t i = 1; i + 1 < args.size(); i += 2) {
        if (args[i] == "--speed")
            speed = *enumFromName<SwitchSpeed>(args[i + 1]);
        else
            intensity = *enumFromName<SwitchIntensity>(args[i + 1]);
    }
    model.preferences.stampSwitchAnimation(*enumFromName<SwitchLook>(args[0]), speed, intensity);
    return outcome(model, context);
}

std::optional<std::string> AppearanceCommand::argumentProblem(const std::vector<std::string>& args) const {
    if (args.size() != 2 || (args[1] != "light" && args[1] != "dark" && args[1] != "none"))
        return usageLine();
    return std::nullopt;
}

ExitStatus AppearanceCommand::runWithModel(SettingsModel& model, Session&, CommandContext& context,
                                           const std::vector<std::string>& args) {
    if (auto refusal = notAUserDesktop(model, args[0]))
        return refuse(context, *refusal);
    const AppearanceMode mode = args[1] == "light"  ? AppearanceMode::light
                                : args[1] == "dark" ? AppearanceMode::dark
                                                    : AppearanceMode::system;
    model.desktops.setPreferredAppearance(args[0], mode);
    return outcome(model, context);
}

} // namespace tessarin::cmd
