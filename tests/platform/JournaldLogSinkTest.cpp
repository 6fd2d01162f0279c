#include "journald/JournaldLogSink.h"

#include "support/TempHome.h"

#include <cstring>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

using namespace tessarin;

// The datagrams the sink sends, read from a socket bound where the journal's would be; no socket, no sink.
TEST(JournaldLogSink, SendsEachEntryAsOneDatagramOfTheJournalsFields) {
    test::TempHome home;
    const std::filesystem::path path = home.path() / "journal.socket";
    const int server = ::socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    ASSERT_GE(server, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, path.c_str(), sizeof address.sun_path - 1);
    ASSERT_EQ(::bind(server, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);

    EXPECT_EQ(journalSinkIfRunning(home.path() / "no.socket"), nullptr);
    const auto sink = journalSinkIfRunning(path);
    ASSERT_TRUE(sink);
    Log log({sink});
    log.log(LogCategory::swap, "switched %{public}s → %{public}s", "A", "B");
    log.log(LogCategory::error, LogLevel::error, "two\nlines");

    const std::string lengthOfNine("\x09\0\0\0\0\0\0\0", 8);
    const std::string expected[] = {
        "MESSAGE=switched A → "
        "B\nPRIORITY=6\nSYSLOG_IDENTIFIER=com.orrinvale.Tessarin\nTESSARIN_CATEGORY=swap\n",
        "MESSAGE\n" + lengthOfNine +
            "two\nlines\nPRIORITY=3\nSYSLOG_IDENTIFIER=com.orrinvale.Tessarin\n"
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
