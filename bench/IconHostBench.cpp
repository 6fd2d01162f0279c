// What a desktop-icon host adds to a switch: the same switches A -> B -> A with N items on each side,
// first with no host (the plain file surface, the floor), then through the icon-host surface with
// Caja's records (gvfs metadata; the host found by probing the display, where a real Caja draws
// another Desktop) and with xfdesktop's (its icon file). Every item of A has a position to capture and
// apply; B's items arrive without one, so their positions are forgotten. Prints the median time of one
// switch and what the host adds. Runs itself inside scripts/x11-session when started outside one.
#include "BenchSupport.h"
#include "gvfs/GvfsIconHost.h"
#include "iconhost/IconHostFinder.h"
#include "model/Config.h"
#include "store/FileStateStore.h"
#include "support/RunProcess.h"
#include "swap/DesktopSwapper.h"
#include "swap/IconHostSurface.h"
#include "xfce/XfdesktopIconHost.h"

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

using namespace tessarin;
namespace fs = std::filesystem;
using tessarin::bench::median;
using tessarin::bench::ms;
using SteadyClock = std::chrono::steady_clock;

namespace {

// A store with desktops A (active, N items on the Desktop) and B (N items in its folder).
struct World {
    fs::path home;
    fs::path desktop;
    fs::path root;
    std::vector<std::string> aItems;

    World(const fs::path& parent, int n) : home(parent), desktop(parent / "Desktop"), root(parent / "store") {
        fs::remove_all(home);
        fs::create_directories(desktop);
        fs::create_directories(root / ".store");
        fs::create_directories(root / "B");
        for (int i = 0; i < n; ++i) {
            aItems.push_back("a " + std::to_string(i) + ".txt");
            std::ofstream(desktop / aItems.back()) << i;
            std::ofstream(root / "B" / ("b " + std::to_string(i) + ".txt")) << i;
        }
        Config c = makeDefaultConfig();
        c.activeWorkspace = "A";
        c.settings.moveGapMs = 0;
        c.workspaces = {Workspace::make("A"), Workspace::make("B"),
                        Workspace::make(std::string(Config::blankWorkspaceName))};
        FileStateStore(root / ".store/config.json", root / ".store/journal.json").saveConfig(c);
    }
    ~World() { fs::remove_all(home); }

    // A's icons where a user left them, in the host's records.
    IconPositions arranged() const {
        IconPositions positions;
        for (std::size_t i = 0; i < aItems.size(); ++i)
            positions.set(aItems[i], {static_cast<int64_t>(i % 40), static_cast<int64_t>(i / 40)});
        return positions;
    }
};

// The median time of one switch over `runs` round trips A -> B -> A through `surface`.
double switchTime(World& world, DesktopSurface& surface, int runs) {
    FileStateStore store(world.root / ".store/config.json", world.root / ".store/journal.json");
    DesktopSwapper swapper(surface, store);
    std::vector<double> times;
    for (int r = 0; r <= runs; ++r) { // the first round trip warms the caches and is not counted
        const auto start = SteadyClock::now();
        swapper.switchTo("B");
        swapper.switchTo("A");
        if (r > 0)
            times.push_back(ms(SteadyClock::now() - start) / 2);
    }
    return median(times);
}

// Caja drawing a Desktop of its own, so that the display has its desktop window.
pid_t startCaja(const fs::path& home) {
    fs::create_directories(home / "Desktop");
    return test::spawn({"/usr/bin/caja", "-n", "--force-desktop"},
                       {{"HOME", home.string()}, {"XDG_CONFIG_HOME", (home / ".config").string()}});
}

bool until(const std::function<bool()>& done, std::chrono::seconds timeout) {
    const auto end = SteadyClock::now() + timeout;
    while (!done()) {
        if (SteadyClock::now() > end)
            return false;
        std::this_thread::yield();
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (bench::enterPrivateSession(argc, argv, TESSARIN_SOURCE_DIR) != 0)
        return 1;
    const fs::path session = std::getenv("HOME");
    Log log;
    const pid_t caja = startCaja(session / "caja-home");
    IconHostFinder probe(session / "bench" / "Desktop", log);
    if (!until([&] { return probe.current().name() == "caja"; }, std::chrono::seconds(30))) {
        std::fprintf(stderr, "caja's desktop window did not appear\n");
        return 1;
    }
    std::vector<double> probes;
    for (int i = 0; i < 50; ++i) {
        const auto start = SteadyClock::now();
        probe.current();
        probes.push_back(ms(SteadyClock::now() - start));
    }

    std::printf("one switch (half of A -> B -> A), N items on each side; median ms\n");
    std::printf("%6s %10s %10s %8s %12s %8s\n", "N", "no host", "caja", "+caja", "xfdesktop", "+xfd");
    for (const auto& [n, runs] : std::vector<std::pair<int, int>>{{100, 15}, {1000, 5}}) {
        World world(session / "bench", n);
        FileSystemSurface files(world.desktop, world.root);
        const double floor = switchTime(world, files, runs);

        IconHostFinder finder(world.desktop, log);
        IconHostSurface cajaSurface(
            files, [&]() -> IconHost& { return finder.current(); }, log);
        GvfsIconHost("caja", world.desktop).write(world.arranged(), {});
        const double withCaja = switchTime(world, cajaSurface, runs);

        const fs::path icons = world.home / "xfce4-desktop";
        fs::create_directories(icons);
        std::ofstream(icons / "icons.screen0-1264x754.rc")
            << "[xfdesktop-version-4.10.3+-rcfile_format]\n4.10.3+=true\n";
        XfdesktopIconHost xfdesktop(world.desktop, icons);
        xfdesktop.write(world.arranged(), {});
        IconHostSurface xfdSurface(
            files, [&]() -> IconHost& { return xfdesktop; }, log);
        const double withXfdesktop = switchTime(world, xfdSurface, runs);

        std::printf("%6d %10.1f %10.1f %8.1f %12.1f %8.1f\n", n, floor, withCaja, withCaja - floor,
                    withXfdesktop, withXfdesktop - floor);
    }
    std::printf("probing the display for the host: %.2f ms (median of %zu)\n", median(probes), probes.size());
    ::kill(caja, SIGTERM);
    ::waitpid(caja, nullptr, 0);
    return 0;
}
