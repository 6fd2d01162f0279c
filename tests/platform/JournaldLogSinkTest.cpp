#include "journald/JournaldLogSink.h"

#include "support/StderrLogSink.h"
#include "support/TempHome.h"

#include <cstring>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

using namespace tessarin;

TEST(JournaldLogSink, ChoosesTheJournalOnlyWhenItsSocketExists) {
    const auto fallback = makeDefaultLogSink("/nonexistent/journal/socket");
    EXPECT_NE(dynamic_cast<StderrLogSink*>(fallback.get()), nullptr);

    const bool journalRunning = std::filesystem::exists(journalSocketPath);
    const auto chosen = makeDefaultLogSink();
    EXPECT_EQ(dynamic_cast<JournaldLogSink*>(chosen.get()) != nullptr, journalRunning);
}

// The datagrams the sink sends, read from a socket bound where the journal's would be.
TEST(JournaldLogSink, SendsEachEntryAsOneDatagramOfTheJournalsFields) {
    test::TempHome home;
    const std::filesystem::path path = home.path() / "journal.socket";
    const int server = ::socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    ASSERT_GE(server, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, path.c_str(), sizeof address.sun_path - 1);
    ASSERT_EQ(::bind(server, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);

    JournaldLogSink sink("tessarin-test", path);
    Log log({std::shared_ptr<LogSink>(&sink, [](LogSink*) {})});
    log.log(LogCategory::swap, "switched %{public}s → %{public}s", "A", "B");
    log.log(LogCategory::error, LogLevel::error, "two\nlines");

    const std::string lengthOfNine("\x09\0\0\0\0\0\0\0", 8);
    const std::string expected[] = {
        "MESSAGE=switched A → B\nPRIORITY=6\nSYSLOG_IDENTIFIER=tessarin-test\nTESSARIN_CATEGORY=swap\n",
        "MESSAGE\n" + lengthOfNine +
            "two\nlines\nPRIORITY=3\nSYSLOG_IDENTIFIER=tessarin-test\n"
            "TESSARIN_CATEGORY=error\n",
    };
    for (const auto& want : expected) {
        char buffer[4096];
        const ssize_t n = ::recv(server, buffer, sizeof buffer, MSG_DONTWAIT);
        ASSERT_GT(n, 0);
        EXPECT_EQ(std::string(buffer, static_cast<size_t>(n)), want);
    }
    char extra;
    EXPECT_LT(::recv(server, &extra, 1, MSG_DONTWAIT), 0) << "one datagram per entry";
    ::close(server);
}
