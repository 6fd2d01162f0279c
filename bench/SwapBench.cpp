// A switch from A to B and back with N items on each side, against the floor: the same renames done
// by a plain loop on the same file system. Prints median times, the ratio, and for the largest N
// where the time of one switch goes.
#include "BenchSupport.h"
#include "model/Config.h"
#include "store/FileStateStore.h"
#include "swap/DesktopSwapper.h"
#include "swap/FileSystemSurface.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <unistd.h>

using namespace tessarin;
namespace fs = std::filesystem;
using tessarin::bench::median;
using tessarin::bench::ms;
using Clock = std::chrono::steady_clock;

namespace {

std::map<std::string, double> spent; // milliseconds per kind of work

struct Timed {
    std::string what;
    Clock::time_point start = Clock::now();
    ~Timed() { spent[what] += ms(Clock::now() - start); }
};

class TimingSurface : public DesktopSurface {
public:
    explicit TimingSurface(DesktopSurface& inner) : inner_(inner) {}
    bool sameVolume() override {
        Timed t{"listing and volume"};
        return inner_.sameVolume();
    }
    std::vector<std::string> items(const Location& at) override {
        Timed t{"listing and volume"};
        return inner_.items(at);
    }
    void move(const std::string& n, const Location& f, const Location& to) override {
        Timed t{"renames"};
        inner_.move(n, f, to);
    }
    std::optional<IconPosition> readPosition(const std::string& n) override { return inner_.readPosition(n); }
    void writePosition(const IconPosition& p, const std::string& n) override { inner_.writePosition(p, n); }
    void carryPositions(const Location& f, const Location& t) override {
        Timed timed{"layout file"};
        inner_.carryPositions(f, t);
    }

private:
    DesktopSurface& inner_;
};

class TimingStore : public StateStore {
public:
    explicit TimingStore(StateStore& inner) : inner_(inner) {}
    Config loadConfig() override {
        Timed t{"document load"};
        return inner_.loadConfig();
    }
    void saveConfig(const Config& c) override {
        Timed t{"document save"};
        inner_.saveConfig(c);
    }
    std::optional<Journal> loadJournal() override {
        Timed t{"journal"};
        return inner_.loadJournal();
    }
    void saveJournal(const std::optional<Journal>& j) override {
        Timed t{"journal"};
        inner_.saveJournal(j);
    }

private:
    StateStore& inner_;
};

struct Result {
    double swap;
    double floor;
};

Result measure(int n, int runs, bool breakdown) {
    char pattern[] = "/tmp/tessarin-bench-XXXXXX";
    const fs::path home = ::mkdtemp(pattern);
    const fs::path desktop = home / "Desktop";
    const fs::path root = home / "Tessarin Desktops";
    fs::create_directories(desktop);
    fs::create_directories(root / ".store");
    fs::create_directories(root / "B");
    for (int i = 0; i < n; ++i) {
        std::ofstream(desktop / ("a" + std::to_string(i) + ".txt")) << i;
        std::ofstream(root / "B" / ("b" + std::to_string(i) + ".txt")) << i;
    }
    FileStateStore fileStore(root / ".store/config.json", root / ".store/journal.json");
    Config c = makeDefaultConfig();
    c.activeWorkspace = "A";
    c.workspaces = {Workspace::make("A"), Workspace::make("B"),
                    Workspace::make(std::string(Config::blankWorkspaceName))};
    fileStore.saveConfig(c);
    FileSystemSurface fsSurface(desktop, root);
    TimingSurface surface(fsSurface);
    TimingStore store(fileStore);
    DesktopSwapper swapper(surface, store, [](std::chrono::microseconds d) {
        Timed t{"pause between phases"};
        ::usleep(static_cast<useconds_t>(d.count()));
    });

    std::vector<double> swaps, floors;
    for (int r = 0; r < runs; ++r) {
        spent.clear();
        auto start = Clock::now();
        swapper.switchTo("B");
        swapper.switchTo("A");
        swaps.push_back(ms(Clock::now() - start));
        if (breakdown && r == runs - 1) {
            double total = 0;
            for (const auto& [what, t] : spent)
                total += t;
            std::printf("  N=%d, one round trip (two switches) %.1f ms, of which:\n", n, swaps.back());
            for (const auto& [what, t] : spent)
                std::printf("    %-22s %8.1f ms\n", what.c_str(), t);
            std::printf("    %-22s %8.1f ms\n", "other (plan, copies)", swaps.back() - total);
        }

        // The floor: the same 4N renames by a plain loop.
        start = Clock::now();
        fs::create_directories(root / "A2");
        for (int i = 0; i < n; ++i) {
            const std::string a = "a" + std::to_string(i) + ".txt";
            fs::rename(desktop / a, root / "A2" / a);
        }
        for (int i = 0; i < n; ++i) {
            const std::string b = "b" + std::to_string(i) + ".txt";
            fs::rename(root / "B" / b, desktop / b);
        }
        for (int i = 0; i < n; ++i) {
            const std::string b = "b" + std::to_string(i) + ".txt";
            fs::rename(desktop / b, root / "B" / b);
        }
        for (int i = 0; i < n; ++i) {
            const std::string a = "a" + std::to_string(i) + ".txt";
            fs::rename(root / "A2" / a, desktop / a);
        }
        floors.push_back(ms(Clock::now() - start));
    }
    fs::remove_all(home);
    return {median(swaps), median(floors)};
}

} // namespace

int main() {
    std::printf("switch A->B->A (moveGapMs 10, so 20 ms of the total are the two pauses)\n");
    std::printf("%8s %14s %14s %8s\n", "N", "swap ms", "floor ms", "ratio");
    for (const auto& [n, runs] : std::vector<std::pair<int, int>>{{100, 21}, {1000, 11}, {10000, 5}}) {
        const Result r = measure(n, runs, false);
        std::printf("%8d %14.1f %14.1f %8.2f\n", n, r.swap, r.floor, r.swap / r.floor);
    }
    std::printf("where the time goes:\n");
    measure(10000, 1, true);
    return 0;
}
