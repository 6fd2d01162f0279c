// tessarinctl archive killed at random instants: after the next command the desktop is either still
// live with its folder in the store, or archived with its folder at its archive location; every item
// exactly once.
#include "support/KillLoop.h"
#include "support/World.h"

#include <gtest/gtest.h>

using namespace tessarin;
namespace fs = std::filesystem;

namespace {

// A home with the live temporary desktop "Trip" of 20 items in the store.
struct TripWorld : test::World {
    TripWorld() {
        document("Work", {"Work"});
        mutateConfig(store,
                     [](Config& c) { c.workspaces.insert(c.workspaces.begin() + 1, temporary("Trip")); });
        for (int i = 0; i < 20; ++i)
            put(folder("Trip") / ("item" + std::to_string(i)));
    }
};

} // namespace

TEST(ArchiveCrash, KilledArchiveIsCompletedOrUndoneByTheNextStart) {
    // The kills are spread over one and a half times an archive measured here, so that a loaded machine
    // stretches the instants with the command.
    TripWorld once; // made before the clock starts: the span is the command's alone
    const auto span = test::KillLoop::timed([&] { EXPECT_EQ(once.ctl({"archive", "Trip"}).status, 0); });
    test::KillLoop loop(11, span * 3 / 2);
    int archived = 0, live = 0;
    // More trials while either outcome is still rare.
    test::KillLoop::trials(
        150, 450, [&] { return archived < 10 || live < 10; },
        [&](int trial) {
            TripWorld w;
            loop.kill(w.argv({"archive", "Trip"}), w.env);
            ASSERT_EQ(w.ctl({"status"}).status, 0) << "trial " << trial;

            const Workspace trip = w.desktop("Trip");
            const bool stillLive = trip.state == WorkspaceState::active;
            (stillLive ? live : archived)++;
            ASSERT_EQ(trip.archiveLocation.has_value(), !stillLive) << "trial " << trial;
            const fs::path folder = stillLive ? w.folder("Trip") : fs::path(*trip.archiveLocation);
            size_t items = 0;
            for (const auto& e : fs::recursive_directory_iterator(w.home.path()))
                items += e.path().filename().string().starts_with("item");
            ASSERT_EQ(items, 20u) << "trial " << trial;
            for (int i = 0; i < 20; ++i)
                ASSERT_TRUE(fs::exists(folder / ("item" + std::to_string(i))))
                    << "trial " << trial << " " << folder;
        });
    // Both ends were reached: kills before the archive took effect and after.
    EXPECT_GE(archived, 10) << live << " live";
    EXPECT_GE(live, 10) << archived << " archived";
}
