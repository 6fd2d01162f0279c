#include "commands/DockCommand.h"

#include "commands/AgentLink.h"
#include "commands/DockControl.h"

#include <map>
#include <nlohmann/json.hpp>
#include <ostream>

namespace tessarin::cmd {

namespace {

const std::map<std::string, DockControl::Request> requests = {
    {"show", DockControl::Request::show},
    {"hide", DockControl::Request::hide},
    {"toggle", DockControl::Request::toggle},
};

nlohmann::ordered_json frameJson(const DockControl::Frame& f) {
    return {{"x", f.x}, {"y", f.y}, {"width", f.width}, {"height", f.height}};
}

void print(CommandContext& context, const DockControl::State& state, bool asked) {
    if (context.json) {
        auto tiles = nlohmann::ordered_json::array();
        for (const auto& t : state.tiles)
            tiles.push_back({{"name", t.name}, {"frame", frameJson(t.frame)}});
        context.out << nlohmann::ordered_json{{"visible", state.visible},
                                              {"parkedElsewhere", state.parkedElsewhere},
                                              {"screen", state.screen},
                                              {"frame", frameJson(state.frame)},
                                              {"half", state.half},
                                              {"tiles", tiles},
                                              {"targeted", state.targeted.empty()
                                                               ? nlohmann::ordered_json()
                                                               : nlohmann::ordered_json(state.targeted)}}
                           .dump()
                    << "\n";
    } else if (asked) {
        context.out << (state.visible           ? "shown"
                        : state.parkedElsewhere ? "shown on another workspace"
                                                : "hidden")
                    << "\n";
    }
}

} // namespace

ExitStatus DockCommand::run(CommandContext& context, const std::vector<std::string>& args) {
    if (args.size() > 1 || (args.size() == 1 && !requests.count(args.front()))) {
        context.err << "Usage: tessarinctl dock [show | hide | toggle]\n";
        return ExitStatus::usage;
    }
    if (context.dock) {
        const auto request = args.empty() ? DockControl::Request::report : requests.at(args.front());
        print(context, context.dock->request(request), args.empty());
        return ExitStatus::done;
    }
    if (context.agent) {
        std::vector<std::string> line{name()};
        line.insert(line.end(), args.begin(), args.end());
        const AgentRun run = context.agent->runCommand(line, context.json);
        if (!run.agentGone) {
            context.out << run.out;
            context.err << run.err;
            return run.status;
        }
    }
    context.err
        << "The floating dock belongs to the running Tessarin agent. Start Tessarin, then try again.\n";
    return ExitStatus::refused;
}

} // namespace tessarin::cmd
