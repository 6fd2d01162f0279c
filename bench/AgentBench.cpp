// The agent on a private desktop: resident memory after start, CPU time over 60 idle seconds, the time
// from start to its icon in the tray, and the round trip of `tessarinctl switch` through the agent
// for 1,000 items. Runs itself inside scripts/x11-session when started outside one.
#include "AgentBenchSupport.h"

#include <algorithm>
#include <csignal>
#include <cstdlib>

using namespace tessarin;
using namespace tessarin::bench;

namespace {

bool trayIconShown() {
    return output("xwininfo -root -tree 2>/dev/null").find("(\"tessarin\" \"tessarin\")  24x24") !=
           std::string::npos;
}

long rssKiB(pid_t pid) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(in, line))
        if (line.rfind("VmRSS:", 0) == 0)
            return std::stol(line.substr(6));
    return -1;
}

} // namespace

int main(int argc, char** argv) {
    enterSession(argc, argv, {});
    const int idleSeconds = argc > 1 ? std::atoi(argv[1]) : 60;
    const fs::path home = fs::path(std::getenv("X11_SESSION_DIR")) / "bench-home";
    setUpHome(home, 1000);

    const auto start = SteadyClock::now();
    const pid_t agent = spawn({TESSARIN_AGENT}, home);
    if (!until(trayIconShown, std::chrono::seconds(20)) || !until(onBus, std::chrono::seconds(20))) {
        std::fprintf(stderr, "the agent did not come up\n");
        return 1;
    }
    const double toIcon = ms(SteadyClock::now() - start);
    std::this_thread::sleep_for(std::chrono::seconds(1)); // let start-up settle before measuring memory
    const long rss = rssKiB(agent);

    const double cpuBefore = cpuMs(agent);
    std::this_thread::sleep_for(std::chrono::seconds(idleSeconds));
    const double idleCpu = cpuMs(agent) - cpuBefore;

    std::vector<double> trips;
    for (int i = 0; i < 10; ++i) {
        const auto t = SteadyClock::now();
        const int status = waitExit(spawn({TESSARIN_CTL, "switch", i % 2 == 0 ? "Work" : "Home"}, home));
        trips.push_back(ms(SteadyClock::now() - t));
        if (status != 0) {
            std::fprintf(stderr, "tessarinctl switch failed with %d\n", status);
            return 1;
        }
    }
    std::sort(trips.begin(), trips.end());
    ::kill(agent, SIGTERM);
    waitExit(agent);

    std::printf("start to tray icon:             %8.0f ms\n", toIcon);
    std::printf("resident memory after start:    %8.1f MiB\n", static_cast<double>(rss) / 1024.0);
    std::printf("CPU time over %d idle seconds:  %8.1f ms\n", idleSeconds, idleCpu);
    std::printf("tessarinctl switch, 1000 items: %8.1f ms median (%.1f … %.1f over %zu)\n",
                trips[trips.size() / 2], trips.front(), trips.back(), trips.size());
    return 0;
}
