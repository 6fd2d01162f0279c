#include "Session.h"

#include <csignal>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <unistd.h>

using namespace tessarin;
using namespace tessarin::e2e;

TEST(SingleInstance, ASecondCopyWaitsThenQuitsOrTakesOver) {
    UserHome home;
    home.setUp("Home", {"Home", "Work"});
    Agent first(home, "first.log");
    ASSERT_TRUE(waitForAgentOnBus()) << first.log();
    // Its launch is over once it answers (it answers only after the launch).
    ASSERT_EQ(tessarinctl(home, {"status"}).status, 0);

    // The first copy stays: the second asks it forward, checks a while and quits, having changed nothing.
    const Config before = home.document();
    Agent second(home, "second.log");
    ASSERT_TRUE(second.waitForLog("another instance is running (pid " + std::to_string(first.pid()) +
                                  ") — waiting to see if it's exiting"))
        << second.log();
    EXPECT_TRUE(first.waitForLog("asked this one to come forward"));
    const auto status = second.waitForExit(std::chrono::seconds(15));
    ASSERT_TRUE(status.has_value());
    EXPECT_EQ(*status, 0);
    EXPECT_TRUE(second.logHas("another instance is alive and staying — this one quits"));
    EXPECT_FALSE(second.logHas("launched"));
    EXPECT_EQ(home.document(), before);
    EXPECT_TRUE(first.running());

    // The first copy is quitting: the third takes over at its next check and launches.
    Agent third(home, "third.log");
    ASSERT_TRUE(third.waitForLog("waiting to see if it's exiting")) << third.log();
    first.signal(SIGTERM);
    ASSERT_TRUE(first.waitForExit(std::chrono::seconds(5)));
    ASSERT_TRUE(third.waitForLog("previous instance exited — taking over", std::chrono::seconds(8)))
        << third.log();
    ASSERT_TRUE(third.waitForLog("Tessarin 0.1.0 launched"));
    ASSERT_TRUE(waitForAgentOnBus());
    EXPECT_TRUE(ctlSucceeds(home, {"switch", "Work"}));
    EXPECT_TRUE(third.waitForLog("switched Home → Work"));
}

TEST(SingleInstance, TessarinctlHoldingTheStoreDelaysTheAgent) {
    // An in-process tessarinctl holds the store lock while it works; the agent waits for it like for
    // another copy of itself. Here the lock is held by this test through the same lock file.
    UserHome home;
    home.setUp("Home", {"Home"});
    const int fd = ::open((home.store() / ".store" / "lock").c_str(), O_RDWR | O_CREAT, 0600);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::flock(fd, LOCK_EX), 0);
    Agent agent(home);
    ASSERT_TRUE(agent.waitForLog("waiting to see if it's exiting")) << agent.log();
    EXPECT_FALSE(agentOnBus());
    ::flock(fd, LOCK_UN);
    ::close(fd);
    ASSERT_TRUE(agent.waitForLog("previous instance exited — taking over")) << agent.log();
    EXPECT_TRUE(waitForAgentOnBus());
}

TEST(SingleInstance, AStoreThatCantBeLockedEndsWithAnAlertAndAMessage) {
    // A plain file where the store's folder should be: the lock file can't be made.
    UserHome home;
    test::writeFile(home.store(), "not a folder");
    Agent agent(home);
    const auto alert = waitForWindow(visibleAlert);
    ASSERT_TRUE(alert) << agent.log();
    screenshot("store-cant-be-locked.png");
    keysIn(*alert, {"Return"});
    const auto status = agent.waitForExit(std::chrono::seconds(10));
    ASSERT_TRUE(status.has_value()) << agent.log();
    EXPECT_EQ(*status, 1) << "ends with a message, not a crash: " << agent.log();
    EXPECT_TRUE(agent.logHas("surfaced to the user: Couldn't create the folder of the store lock"))
        << agent.log();
    EXPECT_EQ(test::readFile(home.store()), "not a folder");
    EXPECT_FALSE(agentOnBus());
}
