#include "Session.h"
#include "support/RunProcess.h"

#include <csignal>
#include <gtest/gtest.h>
#include <sys/inotify.h>
#include <unistd.h>

using namespace tessarin;
using namespace tessarin::e2e;

namespace {

// Waits for journal.json to appear in `storeDir` (it is written atomically: created or moved in).
bool awaitJournal(const std::filesystem::path& storeDir, std::chrono::milliseconds timeout) {
    const int fd = ::inotify_init1(IN_CLOEXEC | IN_NONBLOCK);
    ::inotify_add_watch(fd, storeDir.c_str(), IN_CREATE | IN_MOVED_TO);
    const bool seen = waitFor(
        [&] {
            alignas(inotify_event) char buffer[4096];
            const ssize_t n = ::read(fd, buffer, sizeof buffer);
            for (ssize_t i = 0; i < n;) {
                const auto* e = reinterpret_cast<const inotify_event*>(buffer + i);
                if (e->len && std::string(e->name) == "journal.json")
                    return true;
                i += static_cast<ssize_t>(sizeof(inotify_event) + e->len);
            }
            return std::filesystem::exists(storeDir / "journal.json");
        },
        timeout);
    ::close(fd);
    return seen;
}

} // namespace

TEST(CrashRecovery, AnAgentKilledMidSwitchFinishesTheSwitchAtItsNextStart) {
    UserHome home;
    const int items = 4000;
    home.setUp("Home", {"Home", "Work"}, items);
    auto agent = std::make_unique<Agent>(home, "killed.log");
    ASSERT_TRUE(waitForAgentOnBus()) << agent->log();

    // The switch runs in the agent; the moment its journal is on disk, the agent dies.
    const pid_t ctl = test::spawn({TESSARIN_CTL, "switch", "Work"}, home.env());
    ASSERT_TRUE(awaitJournal(home.store() / ".store", std::chrono::seconds(20)));
    agent->signal(SIGKILL);
    EXPECT_EQ(agent->waitForExit(std::chrono::seconds(5)), 128 + SIGKILL);
    EXPECT_NE(test::waitFor(ctl), 0); // the agent never answered
    ASSERT_TRUE(std::filesystem::exists(home.journal())) << "the switch finished before the kill";
    const size_t onDesktop = UserHome::listing(home.desktop()).size();
    EXPECT_GT(onDesktop + UserHome::listing(home.folder("Work")).size(), 0u);

    // The next start finishes it.
    agent = std::make_unique<Agent>(home, "restarted.log");
    ASSERT_TRUE(agent->waitForLog("crash-recovery journal found — finishing the interrupted swap"))
        << agent->log();
    ASSERT_TRUE(agent->waitForLog("crash recovery complete")) << agent->log();
    EXPECT_FALSE(std::filesystem::exists(home.journal()));
    const auto desktop = UserHome::listing(home.desktop());
    const auto homeFolder = UserHome::listing(home.folder("Home"));
    ASSERT_EQ(desktop.size(), static_cast<size_t>(items));
    ASSERT_EQ(homeFolder.size(), static_cast<size_t>(items));
    EXPECT_EQ(desktop.front(), "Work 0.txt");
    EXPECT_EQ(homeFolder.front(), "Home 0.txt");
    EXPECT_TRUE(UserHome::listing(home.folder("Work")).empty());
    EXPECT_EQ(home.document().activeWorkspace, "Work");
    ASSERT_TRUE(waitForAgentOnBus());
    const Output status = tessarinctl(home, {"--json", "status"});
    EXPECT_NE(status.out.find("\"journalPending\":false"), std::string::npos) << status.out;
}
