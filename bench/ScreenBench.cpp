// What the user sees of a switch, timed on a private desktop with a compositor and two monitors: for
// each look, a switch of 100 items from the command (the click) to the reveal (the transition's
// windows gone), beside the least that look lasts by its own timings; the switch's own time from the
// agent's log; and the agent's CPU time while a cue is shown and nothing happens (it must be 0: the
// cue is drawn once, not repainted). Runs itself inside scripts/x11-session when started outside one.
#include "AgentBenchSupport.h"
#include "model/SwitchLookSpec.h"

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <regex>

using namespace tessarin;
using namespace tessarin::bench;

namespace {

constexpr int rounds = 5;

struct Look {
    std::string name;
    double floorMs; // the look's own duration at normal speed: sweep delay + crossing + 50, or the
                    // blur's minimum + fade-out
};

int ctl(const fs::path& home, const std::vector<std::string>& args) {
    std::vector<std::string> argv = {TESSARIN_CTL};
    argv.insert(argv.end(), args.begin(), args.end());
    return waitExit(spawn(argv, home));
}

// A query that fails (a window went away while xdotool looked at it) counts as shown.
bool transitionShown() {
    return !output("xdotool search --onlyvisible --name '^Tessarin (cover|sweep)' 2>&1").empty();
}

// The milliseconds of every "switched … in Nms" line of the log, in order.
std::vector<double> loggedSwitches(const fs::path& log) {
    std::ifstream in(log);
    const std::string text((std::istreambuf_iterator<char>(in)), {});
    static const std::regex line(R"(switched .* in (\d+)ms)");
    std::vector<double> found;
    for (auto it = std::sregex_iterator(text.begin(), text.end(), line); it != std::sregex_iterator(); ++it)
        found.push_back(std::stod((*it)[1]));
    return found;
}

} // namespace

int main(int argc, char** argv) {
    enterSession(argc, argv, {"--compositor", "--screen", "2560x800x24"});
    const int idleSeconds = argc > 1 ? std::atoi(argv[1]) : 30;
    output("xrandr --setmonitor left 1280/338x800/211+0+0 screen; "
           "xrandr --setmonitor right 1280/338x800/211+1280+0 none");
    const fs::path home = fs::path(std::getenv("X11_SESSION_DIR")) / "bench-home";
    setUpHome(home, 100);
    const fs::path log = home / "agent.log";
    const int logFd = ::open(log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    const pid_t agent = test::spawnRedirected(
        {TESSARIN_AGENT}, {{"HOME", home.string()}, {"XDG_CONFIG_HOME", (home / ".config").string()}}, logFd,
        logFd);
    ::close(logFd);
    if (!until(onBus, std::chrono::seconds(20))) {
        std::fprintf(stderr, "the agent did not come up\n");
        return 1;
    }
    ctl(home, {"cue", "Home", "color", "#3366FF", "--opacity", "0.6"});
    ctl(home, {"cue", "Work", "color", "#FF9F0A", "--opacity", "0.6"});

    // Every look at normal speed; its own floor is the sweep's delay + crossing + 50 ms, or the blur's
    // minimum + fade-out, from the same table the agent uses.
    std::vector<Look> looks;
    for (size_t i = 0; i < EnumNames<SwitchLook>::names.size(); ++i) {
        const auto look = static_cast<SwitchLook>(i);
        AppSettings s;
        SwitchLookSpec::stamp(look, SwitchSpeed::normal, SwitchIntensity::medium, s);
        const double floor = look == SwitchLook::none ? 0
                             : SwitchLookSpec::isSweep(look)
                                 ? double(s.sweepStartDelayMs + s.sweepDurationMs + 50)
                                 : double(s.switchMinDurationMs + s.switchFadeOutMs);
        looks.push_back({std::string(EnumNames<SwitchLook>::names[i]), floor});
    }
    std::string target = "Work";
    std::printf("look       click to reveal (median of %d)   look's own floor   switch as logged\n", rounds);
    for (const Look& look : looks) {
        ctl(home, {"look", look.name});
        const size_t before = loggedSwitches(log).size();
        std::vector<double> trips;
        for (int i = 0; i < rounds; ++i) {
            const auto t = SteadyClock::now();
            const pid_t switching = spawn({TESSARIN_CTL, "switch", target}, home);
            if (waitExit(switching) != 0) {
                std::fprintf(stderr, "tessarinctl switch %s failed\n", target.c_str());
                return 1;
            }
            if (!until([] { return !transitionShown(); }, std::chrono::seconds(10))) {
                std::fprintf(stderr, "the %s transition stayed up\n", look.name.c_str());
                return 1;
            }
            trips.push_back(ms(SteadyClock::now() - t));
            target = target == "Work" ? "Home" : "Work";
        }
        auto logged = loggedSwitches(log);
        logged.erase(logged.begin(), logged.begin() + static_cast<long>(before));
        std::printf("%-10s %10.0f ms (%.0f … %.0f)          %6.0f ms          %5.0f ms\n", look.name.c_str(),
                    median(trips), *std::min_element(trips.begin(), trips.end()),
                    *std::max_element(trips.begin(), trips.end()), look.floorMs,
                    logged.empty() ? -1.0 : median(logged));
    }

    // The last switch left a cue on both screens; nothing happens from here on (after the replaced
    // cue windows and the idle threads of the picture scaling are gone).
    std::this_thread::sleep_for(std::chrono::seconds(35));
    const double cpuBefore = cpuMs(agent);
    std::this_thread::sleep_for(std::chrono::seconds(idleSeconds));
    const double idleCpu = cpuMs(agent) - cpuBefore;
    std::printf("CPU time over %d idle seconds with a cue on two screens: %.1f ms\n", idleSeconds, idleCpu);
    ::kill(agent, SIGTERM);
    waitExit(agent);
    return 0;
}
