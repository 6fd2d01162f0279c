#include "support/Files.h"
#include "support/TempDir.h"
#include "swap/FileSystemSurface.h"

#include <atomic>
#include <cerrno>
#include <gtest/gtest.h>
#include <latch>
#include <thread>

using namespace tessarin;
using tessarin::test::readFile;
using tessarin::test::TempDir;
using tessarin::test::writeFile;

namespace {

class FlaglessSurface : public FileSystemSurface {
public:
    using FileSystemSurface::FileSystemSurface;

protected:
    int renameNoReplace(int, int, const char*) override { return EINVAL; }
};

// The errno of the move, 0 when it succeeded.
int tryMove(DesktopSurface& surface, const Location& from) {
    try {
        surface.move("x", from, Location::desktop());
        return 0;
    } catch (const std::system_error& e) {
        return e.code().value();
    }
}

} // namespace

// Two movers bring different items of the same name onto the Desktop at the same instant, many times over:
// every time exactly one wins, the other fails with EEXIST, and neither item is lost or overwritten.
TEST(FileSystemSurfaceRace, ConcurrentMovesOfOneNameNeverOverwrite) {
    constexpr int rounds = 200;
    struct Case {
        const char* description;
        bool folders;
        bool withoutFlag;
    } cases[] = {
        {"files, no-replace rename", false, false},
        {"folders, no-replace rename", true, false},
        {"files, link and unlink", false, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.description);
        TempDir dir;
        const auto desktop = dir / "Desktop";
        const auto root = dir / "store";
        FileSystemSurface plain(desktop, root);
        FlaglessSurface flagless(desktop, root);
        DesktopSurface& surface = c.withoutFlag ? static_cast<DesktopSurface&>(flagless) : plain;
        std::filesystem::create_directories(desktop);

        int winsOfA = 0;
        for (int round = 0; round < rounds; ++round) {
            for (const char* side : {"A", "B"}) {
                if (c.folders)
                    writeFile(root / side / "x" / "content", side);
                else
                    writeFile(root / side / "x", side);
            }
            std::latch start(2);
            int resultA = -1;
            int resultB = -1;
            std::thread a([&] {
                start.arrive_and_wait();
                resultA = tryMove(surface, Location::workspace("A"));
            });
            std::thread b([&] {
                start.arrive_and_wait();
                resultB = tryMove(surface, Location::workspace("B"));
            });
            a.join();
            b.join();

            ASSERT_TRUE((resultA == 0 && resultB == EEXIST) || (resultA == EEXIST && resultB == 0))
                << "round " << round << ": A gave " << resultA << ", B gave " << resultB;
            const std::string winner = resultA == 0 ? "A" : "B";
            const std::string loser = resultA == 0 ? "B" : "A";
            winsOfA += resultA == 0;
            const auto onDesktop = c.folders ? desktop / "x" / "content" : desktop / "x";
            const auto leftBehind = c.folders ? root / loser / "x" / "content" : root / loser / "x";
            ASSERT_EQ(readFile(onDesktop), winner) << "round " << round;
            ASSERT_EQ(readFile(leftBehind), loser) << "round " << round;
            ASSERT_FALSE(std::filesystem::exists(root / winner / "x")) << "round " << round;

            std::filesystem::remove_all(desktop / "x");
            std::filesystem::remove_all(root / loser / "x");
        }
        RecordProperty(std::string(c.description) + " wins of A", winsOfA);
    }
}
