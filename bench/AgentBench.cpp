// The agent on a private desktop: resident memory after start, CPU time over 60 idle seconds, the time
// from start to its icon in the tray, and the round trip of `tessarinctl switch` through the agent
// for 1,000 items. Runs itself inside scripts/x11-session when started outside one.
#include "BenchSupport.h"
#include "model/Config.h"
#include "store/FileStateStore.h"
#include "support/RunProcess.h"

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

using namespace tessarin;
namespace fs = std::filesystem;
using tessarin::bench::ms;
using Clock = std::chrono::steady_clock;

namespace {

pid_t spawn(const std::vector<std::string>& argv, const fs::path& home, bool quiet = true) {
    return tessarin::test::spawn(
        argv, {{"HOME", home.string()}, {"XDG_CONFIG_HOME", (home / ".config").string()}}, quiet);
}

int waitExit(pid_t pid) {
    return tessarin::test::waitFor(pid);
}

std::string output(const std::string& command) {
    std::string text;
    if (FILE* p = ::popen(command.c_str(), "r")) {
        char buf[4096];
        size_t n;
        while ((n = fread(buf, 1, sizeof buf, p)) > 0)
            text.append(buf, n);
        ::pclose(p);
    }
    return text;
}

bool trayIconShown() {
    return output("xwininfo -root -tree 2>/dev/null").find("(\"tessarin\" \"tessarin\")  24x24") !=
           std::string::npos;
}

bool onBus() {
    return output("dbus-send --session --print-reply --dest=org.freedesktop.DBus / "
                  "org.freedesktop.DBus.NameHasOwner string:com.orrinvale.Tessarin 2>/dev/null")
               .find("true") != std::string::npos;
}

// Polls a condition until it holds; the interval bounds the measurement's resolution.
bool until(const std::function<bool()>& done, std::chrono::milliseconds timeout) {
    const auto end = Clock::now() + timeout;
    while (!done()) {
        if (Clock::now() > end)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return true;
}

long rssKiB(pid_t pid) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(in, line))
        if (line.rfind("VmRSS:", 0) == 0)
            return std::stol(line.substr(6));
    return -1;
}

// User + system CPU time of a process, in milliseconds.
double cpuMs(pid_t pid) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
    std::string stat((std::istreambuf_iterator<char>(in)), {});
    std::istringstream fields(stat.substr(stat.rfind(')') + 2));
    std::string f;
    long utime = 0, stime = 0;
    for (int i = 3; fields >> f; ++i) {
        if (i == 14)
            utime = std::stol(f);
        if (i == 15) {
            stime = std::stol(f);
            break;
        }
    }
    return 1000.0 * static_cast<double>(utime + stime) / static_cast<double>(::sysconf(_SC_CLK_TCK));
}

void setUp(const fs::path& home, int items) {
    Config c = makeDefaultConfig();
    c.activeWorkspace = "Home";
    const fs::path root = home / "Tessarin Desktops";
    for (const std::string name : {"Home", "Work"}) {
        Workspace w = Workspace::make(name);
        const fs::path dir = name == "Home" ? home / "Desktop" : root / name;
        fs::create_directories(dir);
        fs::create_directories(root / name);
        for (int i = 0; i < items; ++i) {
            const std::string item = name + " " + std::to_string(i) + ".txt";
            std::ofstream(dir / item) << item;
            w.files.push_back(item);
        }
        c.workspaces.push_back(std::move(w));
    }
    c.workspaces.push_back(Workspace::make(std::string(Config::blankWorkspaceName)));
    c.settings.shownFirstSwitchNote = true;
    fs::create_directories(root / ".store");
    FileStateStore(root / ".store/config.json", root / ".store/journal.json").saveConfig(c);
}

} // namespace

int main(int argc, char** argv) {
    if (bench::enterPrivateSession(argc, argv, TESSARIN_SOURCE_DIR) != 0)
        return 1;
    const int idleSeconds = argc > 1 ? std::atoi(argv[1]) : 60;
    const fs::path home = fs::path(std::getenv("X11_SESSION_DIR")) / "bench-home";
    setUp(home, 1000);

    const auto start = Clock::now();
    const pid_t agent = spawn({TESSARIN_AGENT}, home);
    if (!until(trayIconShown, std::chrono::seconds(20)) || !until(onBus, std::chrono::seconds(20))) {
        std::fprintf(stderr, "the agent did not come up\n");
        return 1;
    }
    const double toIcon = ms(Clock::now() - start);
    std::this_thread::sleep_for(std::chrono::seconds(1)); // let start-up settle before measuring memory
    const long rss = rssKiB(agent);

    const double cpuBefore = cpuMs(agent);
    std::this_thread::sleep_for(std::chrono::seconds(idleSeconds));
    const double idleCpu = cpuMs(agent) - cpuBefore;

    std::vector<double> trips;
    for (int i = 0; i < 10; ++i) {
        const auto t = Clock::now();
        const int status = waitExit(spawn({TESSARIN_CTL, "switch", i % 2 == 0 ? "Work" : "Home"}, home));
        trips.push_back(ms(Clock::now() - t));
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
