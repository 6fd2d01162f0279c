#pragma once

// What the benchmarks of the running agent share: starting processes in the benchmark's home,
// waiting for a condition, reading a process's CPU time, and a home with two desktops of N items.
#include "BenchSupport.h"
#include "model/Config.h"
#include "store/FileStateStore.h"
#include "support/RunProcess.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

namespace tessarin::bench {

namespace fs = std::filesystem;
using SteadyClock = std::chrono::steady_clock;

inline pid_t spawn(const std::vector<std::string>& argv, const fs::path& home, bool quiet = true) {
    return test::spawn(argv, {{"HOME", home.string()}, {"XDG_CONFIG_HOME", (home / ".config").string()}},
                       quiet);
}

inline int waitExit(pid_t pid) {
    return test::waitFor(pid);
}

inline std::string output(const std::string& command) {
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

inline bool onBus() {
    return output("dbus-send --session --print-reply --dest=org.freedesktop.DBus / "
                  "org.freedesktop.DBus.NameHasOwner string:com.orrinvale.Tessarin 2>/dev/null")
               .find("true") != std::string::npos;
}

// Polls a condition until it holds; the interval bounds the measurement's resolution.
inline bool until(const std::function<bool()>& done, std::chrono::milliseconds timeout) {
    const auto end = SteadyClock::now() + timeout;
    while (!done()) {
        if (SteadyClock::now() > end)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return true;
}

// User + system CPU time of a process, in milliseconds.
inline double cpuMs(pid_t pid) {
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

// Desktops "Home" (active, its items on the Desktop) and "Work", `items` files each.
inline void setUpHome(const fs::path& home, int items) {
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

// Runs this program again inside scripts/x11-session (with `sessionOptions`) unless it is in one.
inline void enterSession(int argc, char** argv, const std::vector<std::string>& sessionOptions) {
    if (enterPrivateSession(argc, argv, TESSARIN_SOURCE_DIR, sessionOptions) != 0)
        std::exit(1);
}

} // namespace tessarin::bench
