#include "store/StoreLock.h"

#include "support/ChildProcess.h"
#include "support/Files.h"
#include "support/TempDir.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>

using namespace tessarin;
using namespace std::chrono_literals;
using tessarin::test::ChildProcess;
using tessarin::test::readFile;
using tessarin::test::TempDir;

namespace {

std::string holderLine(pid_t pid, const std::string& name) {
    return std::to_string(pid) + " " + name + "\n";
}

} // namespace

TEST(StoreLock, WaitingProcessWinsOnceTheHolderReleases) {
    TempDir dir;
    const auto root = dir / "Tessarin Desktops";
    StoreLock holder(root, "tessarin");
    holder.acquire();
    EXPECT_EQ(readFile(StoreLock::lockFilePath(root)), holderLine(::getpid(), "tessarin"));

    ChildProcess waiter([&](ChildProcess& self) {
        StoreLock mine(root, "tessarinctl");
        if (mine.tryAcquire())
            return 2; // the holder's lock did not hold
        self.report('w');
        try {
            mine.acquire(60s);
        } catch (const StoreLockBusy&) {
            return 3;
        }
        if (readFile(StoreLock::lockFilePath(root)) != holderLine(::getpid(), "tessarinctl"))
            return 4;
        self.report('g');
        self.awaitParent();
        return 0;
    });

    ASSERT_EQ(waiter.awaitReport(), 'w');
    holder.release();
    ASSERT_EQ(waiter.awaitReport(), 'g');
    EXPECT_FALSE(holder.tryAcquire()) << "the waiter holds it now";
    waiter.tell('q');
    EXPECT_EQ(waiter.wait(), 0);
    EXPECT_TRUE(holder.tryAcquire());
}

TEST(StoreLock, TimesOutNamingTheHolder) {
    struct Case {
        const char* description;
        std::string holderText; // what the holder left in the lock file
        std::string expected;
    } cases[] = {
        {"holder named", "", ""},
        {"nothing written", "", "The Tessarin store is in use by another process."},
        {"garbage written", "not a pid\n", "The Tessarin store is in use by another process."},
        {"pid without a name", "1234 \n", "The Tessarin store is in use by another process."},
    };
    for (auto& c : cases) {
        SCOPED_TRACE(c.description);
        TempDir dir;
        const auto root = dir / "missing store";
        std::optional<StoreLock> holder;
        int rawHolder = -1;
        if (c.expected.empty()) {
            holder.emplace(root, "tessarin agent");
            holder->acquire();
            c.expected = "The Tessarin store is in use by another process (PID " +
                         std::to_string(::getpid()) + ", tessarin agent). Try again when it has finished.";
        } else {
            // A holder that locked without writing its name (yet).
            test::writeFile(StoreLock::lockFilePath(root), c.holderText);
            rawHolder = ::open(StoreLock::lockFilePath(root).c_str(), O_RDWR | O_CLOEXEC);
            ASSERT_EQ(::flock(rawHolder, LOCK_EX), 0);
        }

        // flock locks belong to the open file, so a second object in this process competes like a process.
        StoreLock loser(root, "tessarinctl");
        const auto timeout = 120ms;
        const auto start = std::chrono::steady_clock::now();
        try {
            loser.acquire(timeout);
            ADD_FAILURE() << "acquired a held lock";
        } catch (const StoreLockBusy& e) {
            EXPECT_EQ(std::string(e.what()), c.expected);
            EXPECT_GE(std::chrono::steady_clock::now() - start, timeout) << "gave up before the timeout";
        }
        EXPECT_FALSE(loser.held());
        if (rawHolder >= 0)
            ::close(rawHolder);
    }
}

TEST(StoreLock, KilledHolderReleasesAtOnce) {
    TempDir dir;
    const auto root = dir / "Tessarin Desktops";
    ChildProcess holder([&](ChildProcess& self) {
        StoreLock lock(root, "tessarin");
        lock.acquire(1s);
        self.report('h');
        self.awaitParent(); // until killed
        return 0;
    });
    ASSERT_EQ(holder.awaitReport(), 'h');

    StoreLock mine(root, "tessarinctl");
    try {
        mine.acquire(0ms);
        ADD_FAILURE() << "acquired a held lock";
    } catch (const StoreLockBusy& e) {
        EXPECT_EQ(e.holderPid(), holder.pid());
        EXPECT_EQ(e.holderName(), "tessarin");
    }
    EXPECT_EQ(holder.kill(SIGKILL), -SIGKILL);
    EXPECT_TRUE(mine.tryAcquire()) << "a dead holder's lock must be free without waiting";
}

TEST(StoreLock, ForkedChildDoesNotReleaseTheParentsLock) {
    TempDir dir;
    const auto root = dir / "Tessarin Desktops";
    std::optional<StoreLock> lock;
    lock.emplace(root, "tessarin");
    lock->acquire();

    // A child that inherited the open lock file and destroys its copy of the object before exiting.
    ChildProcess child([&](ChildProcess&) {
        lock.reset();
        return 0;
    });
    EXPECT_EQ(child.wait(), 0);

    StoreLock other(root, "tessarinctl");
    EXPECT_FALSE(other.tryAcquire());
    lock.reset();
    EXPECT_TRUE(other.tryAcquire());
}
