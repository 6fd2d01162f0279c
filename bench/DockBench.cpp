// The agent's CPU time on a private desktop in three phases of equal length: the floor (dock hidden,
// hot corner off), the dock shown with the corner watched and the pointer still, and the same with the
// pointer moved through XTest 100 times a second. Runs itself inside scripts/x11-session when started
// outside one. Usage: bench-dock [seconds per phase, default 60]
#include "BenchSupport.h"
#include "model/Config.h"
#include "store/FileStateStore.h"
#include "support/RunProcess.h"

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

using namespace tessarin;
namespace fs = std::filesystem;
using SteadyClock = std::chrono::steady_clock;

namespace {

std::map<std::string, std::string> environment(const fs::path& home) {
    return {{"HOME", home.string()}, {"XDG_CONFIG_HOME", (home / ".config").string()}};
}

// The time the scheduler ran all of a process's threads, in milliseconds: exact, where the user and
// system times of /proc/PID/stat are counted in whole clock ticks.
double cpuMs(pid_t pid) {
    double ns = 0;
    for (const auto& task : fs::directory_iterator("/proc/" + std::to_string(pid) + "/task")) {
        std::ifstream in(task.path() / "schedstat");
        double runNs = 0;
        if (in >> runNs)
            ns += runNs;
    }
    return ns / 1e6;
}

bool ctl(const fs::path& home, const std::vector<std::string>& args) {
    std::vector<std::string> argv{TESSARIN_CTL};
    argv.insert(argv.end(), args.begin(), args.end());
    return test::run(argv, environment(home)).status == 0;
}

// Retries a command until it succeeds: the agent answers once it has started.
bool ctlWhenUp(const fs::path& home, const std::vector<std::string>& args) {
    const auto end = SteadyClock::now() + std::chrono::seconds(20);
    while (!ctl(home, args))
        if (SteadyClock::now() > end)
            return false;
    return true;
}

void setUp(const fs::path& home) {
    Config c = makeDefaultConfig();
    c.activeWorkspace = "Home";
    const fs::path root = home / "Tessarin Desktops";
    for (const std::string name : {"Home", "Work", "Photos"}) {
        fs::create_directories(root / name);
        c.workspaces.push_back(Workspace::make(name));
    }
    fs::create_directories(home / "Desktop");
    c.workspaces.push_back(Workspace::make(std::string(Config::blankWorkspaceName)));
    c.settings.shownFirstSwitchNote = true;
    fs::create_directories(root / ".store");
    FileStateStore(root / ".store/config.json", root / ".store/journal.json").saveConfig(c);
}

// CPU time of `pid` over `seconds`, while `step` runs every 10 ms when given.
double cpuOver(pid_t pid, int seconds, const std::function<void(int)>& step = {}) {
    const double before = cpuMs(pid);
    const auto start = SteadyClock::now();
    const auto end = start + std::chrono::seconds(seconds);
    if (!step) {
        std::this_thread::sleep_until(end);
    } else {
        for (int i = 0; SteadyClock::now() < end; ++i) {
            step(i);
            std::this_thread::sleep_until(start + std::chrono::milliseconds(10 * (i + 1)));
        }
    }
    return cpuMs(pid) - before;
}

} // namespace

int main(int argc, char** argv) {
    if (bench::enterPrivateSession(argc, argv, TESSARIN_SOURCE_DIR) != 0)
        return 1;
    const int seconds = argc > 1 ? std::atoi(argv[1]) : 60;
    const fs::path home = fs::path(std::getenv("X11_SESSION_DIR")) / "bench-dock-home";
    setUp(home);
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "no X display\n");
        return 1;
    }
    XTestFakeMotionEvent(display, -1, 600, 400, CurrentTime);
    XSync(display, False);

    const pid_t agent = test::spawn({TESSARIN_AGENT}, environment(home));
    if (!ctlWhenUp(home, {"dock"})) {
        std::fprintf(stderr, "the agent did not come up\n");
        return 1;
    }
    std::this_thread::sleep_for(std::chrono::seconds(1)); // let start-up settle
    const double floor = cpuOver(agent, seconds);

    if (!ctl(home, {"set", "floatingDockCorner", "topRight"}) || !ctl(home, {"dock", "show"})) {
        std::fprintf(stderr, "the dock or the corner could not be set up\n");
        return 1;
    }
    std::this_thread::sleep_for(std::chrono::seconds(1));
    const double still = cpuOver(agent, seconds);
    // Back and forth over 200 pixels in the middle of the screen, far from every corner.
    const double moving = cpuOver(agent, seconds, [&](int i) {
        const int x = 500 + (i % 200 < 100 ? i % 100 : 100 - i % 100) * 2;
        XTestFakeMotionEvent(display, -1, x, 400, CurrentTime);
        XFlush(display);
    });
    ::kill(agent, SIGTERM);
    test::waitFor(agent);
    XCloseDisplay(display);

    const auto share = [&](double ms) { return 100.0 * ms / (1000.0 * seconds); };
    std::printf("CPU over %d s, dock hidden, corner off (floor): %8.2f ms (%.4f %%)\n", seconds, floor,
                share(floor));
    std::printf("CPU over %d s, dock shown, corner on, still:    %8.2f ms (%.4f %%)\n", seconds, still,
                share(still));
    std::printf("CPU over %d s, pointer moving 100 events/s:     %8.2f ms (%.4f %%)\n", seconds, moving,
                share(moving));
    return 0;
}
