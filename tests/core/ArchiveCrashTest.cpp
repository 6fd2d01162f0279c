// tessarinctl archive killed at random instants: after the next command the desktop is either still
// live with its folder in the store, or archived with its folder at its archive location; every item
// exactly once.
#include "model/ConfigCodec.h"
#include "store/FileStateStore.h"
#include "support/RunProcess.h"
#include "support/TempHome.h"

#include <csignal>
#include <gtest/gtest.h>
#include <random>
#include <thread>

using namespace tessarin;
namespace fs = std::filesystem;

namespace {

// A home with the live temporary desktop "Trip" of 20 items in the store.
struct TripHome {
    test::TempHome home;
    fs::path root = home / "Tessarin Desktops";
    std::map<std::string, std::string> env{{"HOME", home.path().string()},
                                           {"XDG_CONFIG_HOME", (home / ".config").string()}};
    FileStateStore store{root / ".store/config.json", root / ".store/journal.json"};

    TripHome() {
        fs::create_directories(home / "Desktop");
        fs::create_directories(root / ".store");
        Config c = makeDefaultConfig();
        c.activeWorkspace = "Work";
        c.workspaces = {Workspace::make("Work"), Workspace::make("Trip", WorkspaceType::temporary),
                        Workspace::make(std::string(Config::blankWorkspaceName))};
        store.saveConfig(c);
        for (int i = 0; i < 20; ++i)
            test::writeFile(root / "Trip" / ("item" + std::to_string(i)), "x");
    }
};

} // namespace

TEST(ArchiveCrash, KilledArchiveIsCompletedOrUndoneByTheNextStart) {
    // The kills are spread over one and a half times an archive measured here, so that a loaded machine
    // stretches the instants with the command.
    std::chrono::microseconds span;
    {
        TripHome once;
        const auto start = std::chrono::steady_clock::now();
        ASSERT_EQ(test::waitFor(test::spawn({TESSARIN_CTL, "archive", "Trip"}, once.env)), 0);
        span =
            std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - start);
    }
    std::mt19937 rng(11);
    std::uniform_int_distribution<long> delayUs(0, span.count() * 3 / 2);
    int archived = 0, live = 0;
    // More trials while either outcome is still rare.
    for (int trial = 0; trial < 150 || ((archived < 10 || live < 10) && trial < 450); ++trial) {
        TripHome h;
        const pid_t pid = test::spawn({TESSARIN_CTL, "archive", "Trip"}, h.env);
        std::this_thread::sleep_for(std::chrono::microseconds(delayUs(rng))); // the random instant
        ::kill(pid, SIGKILL);
        test::waitFor(pid);
        ASSERT_EQ(test::waitFor(test::spawn({TESSARIN_CTL, "status"}, h.env)), 0) << "trial " << trial;

        const Config after = h.store.loadConfig();
        const Workspace* trip = after.findWorkspace("Trip");
        ASSERT_TRUE(trip) << "trial " << trial;
        const fs::path folder = trip->state == WorkspaceState::active
                                    ? h.root / "Trip"
                                    : fs::path(trip->archiveLocation.value_or(""));
        (trip->state == WorkspaceState::active ? live : archived)++;
        if (trip->state == WorkspaceState::active) {
            ASSERT_FALSE(trip->archiveLocation.has_value()) << "trial " << trial;
        }
        size_t items = 0;
        for (const auto& e : fs::recursive_directory_iterator(h.home.path()))
            if (e.path().filename().string().starts_with("item"))
                ++items;
        ASSERT_EQ(items, 20u) << "trial " << trial;
        for (int i = 0; i < 20; ++i)
            ASSERT_TRUE(fs::exists(folder / ("item" + std::to_string(i))))
                << "trial " << trial << " " << folder;
    }
    // Both ends were reached: kills before the archive took effect and after.
    EXPECT_GE(archived, 10) << live << " live";
    EXPECT_GE(live, 10) << archived << " archived";
}
