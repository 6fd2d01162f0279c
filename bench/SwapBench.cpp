// One switch with N items each way (N leave the Desktop, N arrive), against two floors on the same file
// system, in one run: the same 2N renames by a plain loop over full paths, and by the best loop
// (renameat2 with RENAME_NOREPLACE relative to folders opened once). Prints median times, the ratios,
// and for each N where the time of one switch goes. The swapper runs as tessarinctl runs it, with the
// store keeping the document it read; the column "unkept" reads and decodes it for every load.
// The third floor is what crash safety costs whatever the swapper does: the two durable writes of a
// switch (the journal before the first move, the document after the moves), written by plain code as
// files of the same sizes in the store's folder (write, fsync, rename, fsync of the folder).
// Then a whole `tessarinctl next` process with 100 items each way, against its floor measured in the
// same run: the start of `tessarinctl --version`, the best loop's 200 renames and moveGapMs.
#include "BenchSupport.h"
#include "model/Config.h"
#include "store/FileStateStore.h"
#include "swap/DesktopSwapper.h"
#include "swap/FileSystemSurface.h"
#include "swap/Journal.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <map>
#include <stdio.h>
#include <sys/statfs.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace tessarin;
namespace fs = std::filesystem;
using tessarin::bench::median;
using tessarin::bench::ms;
using SteadyClock = std::chrono::steady_clock;

namespace {

std::map<std::string, double> spent; // milliseconds per kind of work

struct Timed {
    std::string what;
    SteadyClock::time_point start = SteadyClock::now();
    ~Timed() { spent[what] += ms(SteadyClock::now() - start); }
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
    void beginMoves() override { inner_.beginMoves(); }
    void endMoves() override { inner_.endMoves(); }
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

// One store with N items on the Desktop (desktop A active) and N in desktop B's folder.
struct Bench {
    fs::path home;
    fs::path desktop;
    fs::path root;
    std::vector<std::string> aNames;
    std::vector<std::string> bNames;

    explicit Bench(int n) {
        // Where the store lives: the home folder's file system, not a tmpfs.
        const char* base = std::getenv("HOME");
        std::string pattern = std::string(base ? base : "/tmp") + "/.tessarin-bench-XXXXXX";
        home = ::mkdtemp(pattern.data());
        desktop = home / "Desktop";
        root = home / "Tessarin Desktops";
        fs::create_directories(desktop);
        fs::create_directories(root / ".store");
        fs::create_directories(root / "A");
        fs::create_directories(root / "B");
        for (int i = 0; i < n; ++i) {
            aNames.push_back("a" + std::to_string(i) + ".txt");
            bNames.push_back("b" + std::to_string(i) + ".txt");
            std::ofstream(desktop / aNames.back()) << i;
            std::ofstream(root / "B" / bNames.back()) << i;
        }
        FileStateStore fileStore(root / ".store/config.json", root / ".store/journal.json");
        Config c = makeDefaultConfig();
        c.activeWorkspace = "A";
        c.workspaces = {Workspace::make("A"), Workspace::make("B"),
                        Workspace::make(std::string(Config::blankWorkspaceName))};
        fileStore.saveConfig(c);
    }
    ~Bench() { fs::remove_all(home); }
    Bench(const Bench&) = delete;
    Bench& operator=(const Bench&) = delete;
};

void require(int error, const char* what) {
    if (error != 0) {
        std::fprintf(stderr, "%s: %s\n", what, std::strerror(error));
        std::exit(1);
    }
}

int renameFull(const std::string& from, const std::string& to) {
    return ::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0 ? 0 : errno;
}

int renameAt(int from, const std::string& name, int to) {
    return ::renameat2(from, name.c_str(), to, name.c_str(), RENAME_NOREPLACE) == 0 ? 0 : errno;
}

// `leaving` from the Desktop into `out`, then `arriving` from `in` onto the Desktop: full paths built
// per item, as a plain program would.
double plainLoop(const Bench& b, const std::string& out, const std::string& in,
                 const std::vector<std::string>& leaving, const std::vector<std::string>& arriving) {
    const auto start = SteadyClock::now();
    const std::string desktop = b.desktop.string() + "/";
    const std::string outFolder = (b.root / out).string() + "/";
    const std::string inFolder = (b.root / in).string() + "/";
    for (const auto& name : leaving)
        require(renameFull(desktop + name, outFolder + name), "plain loop");
    for (const auto& name : arriving)
        require(renameFull(inFolder + name, desktop + name), "plain loop");
    return ms(SteadyClock::now() - start);
}

// The same renames relative to the three folders, each opened once.
double bestLoop(const Bench& b, const std::string& out, const std::string& in,
                const std::vector<std::string>& leaving, const std::vector<std::string>& arriving) {
    const auto start = SteadyClock::now();
    const int desktop = ::open(b.desktop.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    const int outFolder = ::open((b.root / out).c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    const int inFolder = ::open((b.root / in).c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    for (const auto& name : leaving)
        require(renameAt(desktop, name, outFolder), "best loop");
    for (const auto& name : arriving)
        require(renameAt(inFolder, name, desktop), "best loop");
    ::close(desktop);
    ::close(outFolder);
    ::close(inFolder);
    return ms(SteadyClock::now() - start);
}

// Writes `bytes` bytes to `path` as a state file is written: a temporary file flushed, renamed over
// `path`, the folder flushed.
void writeDurably(const fs::path& path, std::size_t bytes) {
    const std::string data(bytes, 'x');
    const fs::path temporary = path.string() + ".tmp";
    const int file = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    require(file < 0 ? errno : 0, "durable write");
    require(::write(file, data.data(), data.size()) == static_cast<ssize_t>(data.size()) ? 0 : errno,
            "durable write");
    require(::fsync(file) == 0 ? 0 : errno, "durable write");
    ::close(file);
    require(::rename(temporary.c_str(), path.c_str()) == 0 ? 0 : errno, "durable write");
    const int folder = ::open(path.parent_path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    require(::fsync(folder) == 0 ? 0 : errno, "durable write");
    ::close(folder);
}

// The two durable writes of one switch between A and B.
double durableWrites(const Bench& b) {
    const std::size_t journalBytes = encodeJournal(Journal{"A", "B", b.aNames, b.bNames}).size();
    const std::size_t documentBytes = fs::file_size(b.root / ".store/config.json");
    const auto start = SteadyClock::now();
    writeDurably(b.root / ".store/floor-journal", journalBytes);
    writeDurably(b.root / ".store/floor-document", documentBytes);
    return ms(SteadyClock::now() - start);
}

struct Result {
    double swap;
    double plain;
    double best;
    double durable;
};

// Each run times both directions of each of the three: A->B and B->A.
Result measure(int n, int runs, bool breakdown, bool keep = true) {
    Bench b(n);
    FileStateStore fileStore(b.root / ".store/config.json", b.root / ".store/journal.json");
    fileStore.keepDocument(keep); // as in tessarinctl, which holds the store lock
    FileSystemSurface fsSurface(b.desktop, b.root);
    // The timing wrappers cost a clock reading and a map lookup per move: only the breakdown's run
    // has them, so the medians are the swapper's alone.
    TimingSurface timingSurface(fsSurface);
    TimingStore timingStore(fileStore);
    DesktopSurface& surface = breakdown ? static_cast<DesktopSurface&>(timingSurface) : fsSurface;
    StateStore& store = breakdown ? static_cast<StateStore&>(timingStore) : fileStore;
    DesktopSwapper swapper(surface, store, [](std::chrono::microseconds d) {
        Timed t{"pause between phases"};
        ::usleep(static_cast<useconds_t>(d.count()));
    });

    std::vector<double> swaps, plains, bests, durables;
    for (int r = 0; r < runs; ++r) {
        spent.clear();
        for (const char* target : {"B", "A"}) {
            const auto start = SteadyClock::now();
            swapper.switchTo(target);
            swaps.push_back(ms(SteadyClock::now() - start));
        }
        if (breakdown && r == runs - 1) {
            double total = 0;
            for (const auto& [what, t] : spent)
                total += t;
            const double both = swaps[swaps.size() - 2] + swaps.back();
            std::printf("  N=%d, two switches (A->B, B->A) %.1f ms, of which:\n", n, both);
            for (const auto& [what, t] : spent)
                std::printf("    %-22s %8.1f ms\n", what.c_str(), t);
            std::printf("    %-22s %8.1f ms\n", "other (plan, copies)", both - total);
        }
        plains.push_back(plainLoop(b, "A", "B", b.aNames, b.bNames));
        plains.push_back(plainLoop(b, "B", "A", b.bNames, b.aNames));
        bests.push_back(bestLoop(b, "A", "B", b.aNames, b.bNames));
        bests.push_back(bestLoop(b, "B", "A", b.bNames, b.aNames));
        durables.push_back(durableWrites(b));
        durables.push_back(durableWrites(b));
    }
    return {median(swaps), median(plains), median(bests), median(durables)};
}

// Runs tessarinctl with `args` in the home of `b`; the time from start to exit in milliseconds.
double timedCtl(const Bench& b, const std::vector<std::string>& args) {
    const auto start = SteadyClock::now();
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::setenv("HOME", b.home.c_str(), 1);
        ::setenv("XDG_CONFIG_HOME", (b.home / ".config").c_str(), 1);
        const int null = ::open("/dev/null", O_WRONLY);
        ::dup2(null, 1);
        std::vector<char*> argv{const_cast<char*>(TESSARIN_CTL)};
        for (const auto& a : args)
            argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    const double elapsed = ms(SteadyClock::now() - start);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "tessarinctl failed with status %d\n", status);
        std::exit(1);
    }
    return elapsed;
}

// `tessarinctl next` alternates between A and B, each holding n items; the floor is what such a process
// can't avoid: its start, the renames and the pause between the two phases.
void measureProcess(int n, int runs) {
    Bench b(n);
    std::vector<double> switches, starts, bests;
    for (int r = 0; r < runs; ++r) {
        starts.push_back(timedCtl(b, {"--version"}));
        switches.push_back(timedCtl(b, {"next"})); // A -> B
        switches.push_back(timedCtl(b, {"next"})); // B -> A
        bests.push_back(bestLoop(b, "A", "B", b.aNames, b.bNames));
        bests.push_back(bestLoop(b, "B", "A", b.bNames, b.aNames));
    }
    const double gap = AppSettings{}.moveGapMs;
    const double floor = median(starts) + median(bests) + gap;
    std::printf("whole process, N=%d each way, median ms of %d:\n", n, runs * 2);
    std::printf("  tessarinctl next %8.2f\n", median(switches));
    std::printf("  floor            %8.2f  (tessarinctl --version %.2f + best loop %.2f + moveGapMs %.0f)\n",
                floor, median(starts), median(bests), gap);
    std::printf("  next - floor     %8.2f\n", median(switches) - floor);
}

} // namespace

// With an argument N, measures only that size (for a profiler).
int main(int argc, char** argv) {
    const Bench probe(0);
    struct statfs info {};
    ::statfs(probe.home.c_str(), &info);
    std::printf("one switch with N items each way (2N renames), median ms, under %s (%s)\n",
                probe.home.parent_path().c_str(), info.f_type == 0x01021994 ? "tmpfs" : "not tmpfs");
    std::printf("the swapper's time includes moveGapMs (10 ms), the pause between its two phases\n");
    std::printf("durable = the switch's two durable writes by plain code; rest = switch - best - durable - "
                "moveGapMs\n");
    std::printf("%8s %10s %10s %10s %10s %10s %12s %12s %12s %10s\n", "N", "switch", "unkept", "plain",
                "best", "durable", "switch/plain", "switch/best", "switch-best", "rest");
    std::vector<std::pair<int, int>> sizes{{100, 21}, {1000, 11}, {10000, 5}};
    if (argc > 1)
        sizes = {{std::atoi(argv[1]), 5}};
    for (const auto& [n, runs] : sizes) {
        const Result r = measure(n, runs, false);
        const Result unkept = measure(n, runs, false, false);
        const double gap = AppSettings{}.moveGapMs;
        std::printf("%8d %10.2f %10.2f %10.2f %10.2f %10.2f %12.2f %12.2f %12.2f %10.2f\n", n, r.swap,
                    unkept.swap, r.plain, r.best, r.durable, r.swap / r.plain, r.swap / r.best,
                    r.swap - r.best, r.swap - r.best - r.durable - gap);
    }
    std::printf("where the time goes:\n");
    for (const auto& [n, runs] : sizes)
        measure(n, runs, true);
    if (argc <= 1)
        measureProcess(100, 15);
    return 0;
}
