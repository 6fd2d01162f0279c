#include "support/Log.h"

#include "support/ScopedEnv.h"
#include "support/StderrLogSink.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <sstream>
#include <stdexcept>
#include <thread>

using namespace tessarin;
using namespace std::chrono_literals;

namespace {

struct BrokenSink : LogSink {
    void write(const LogEntry&) override { throw std::runtime_error("sink broken"); }
};

struct ListSink : LogSink {
    std::vector<LogEntry> entries;
    void write(const LogEntry& entry) override { entries.push_back(entry); }
};

// 2026-12-06T14:03:09Z plus `seconds`.
std::chrono::system_clock::time_point at(long seconds) {
    return std::chrono::system_clock::time_point(std::chrono::seconds(1796565789 + seconds));
}

} // namespace

TEST(LogFormat, FillsPlaceholdersInOrder) {
    const std::string arrow = "\u2192";
    struct Case {
        std::string format;
        std::vector<LogArgument> arguments;
        std::string expected;
    } cases[] = {
        {"switched %{public}s " + arrow + " %{public}s in %ldms, %ld pinned-name skips",
         {"Work", "Home", 412L, std::size_t{2}},
         "switched Work " + arrow + " Home in 412ms, 2 pinned-name skips"},
        {"100%% done, %d left", {3}, "100% done, 3 left"},
        // Too few arguments: the rest stays as written.
        {"%{public}s and %{public}s in %ldms", {"only"}, "only and %{public}s in %ldms"},
        // Percent signs that start no placeholder are kept.
        {"50% off, 20%x, trailing %", {}, "50% off, 20%x, trailing %"},
        {"%{public unterminated", {"x"}, "%{public unterminated"},
        {"%s|%i|%u|%lld|%zu|%{private}d", {"a", 1, 2u, 3LL, std::size_t{4}, 5}, "a|1|2|3|4|5"},
        {"%{public}s", {static_cast<const char*>(nullptr)}, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(formatLogMessageWith(c.format, c.arguments), c.expected) << c.format;

    EXPECT_EQ(formatLogMessage("hot key %{public}s → %d", std::string("⌃⌥1"), 3), "hot key ⌃⌥1 → 3");
}

TEST(Log, RingKeepsTheLastEntriesOldestFirst) {
    long tick = 0;
    auto sink = std::make_shared<ListSink>();
    // A sink that throws neither fails the caller nor keeps the entry from the others.
    Log log({std::make_shared<BrokenSink>(), sink}, 5, [&] { return at(tick++); });
    for (int i = 1; i <= 8; ++i)
        log.log(i % 2 ? LogCategory::swap : LogCategory::archive, "entry %d", i);
    log.log(LogCategory::error, LogLevel::error, "failed: %{public}s", "disk full");

    ASSERT_EQ(sink->entries.size(), 9u) << "sinks see every entry, not only what the ring keeps";
    EXPECT_EQ(sink->entries.back().level, LogLevel::error);

    struct Case {
        std::size_t limit;
        std::vector<std::string> messages;
    } cases[] = {
        {2, {"entry 8", "failed: disk full"}},
        {200, {"entry 5", "entry 6", "entry 7", "entry 8", "failed: disk full"}},
    };
    for (const auto& c : cases) {
        std::vector<std::string> messages;
        for (const auto& entry : log.recent(c.limit))
            messages.push_back(entry.message);
        EXPECT_EQ(messages, c.messages) << "limit " << c.limit;
    }

    EXPECT_EQ(recentLogText(log, 3), "2026-12-06T14:03:15Z [swap] entry 7\n"
                                     "2026-12-06T14:03:16Z [archive] entry 8\n"
                                     "2026-12-06T14:03:17Z [error] failed: disk full");
    EXPECT_EQ(recentLogText(Log(), 200), "(no entries)");
}

TEST(Log, UtcTimestampsAndLines) {
    const auto fraction = at(0) + 999ms;
    struct Case {
        std::chrono::system_clock::time_point time;
        const char* expected;
    } cases[] = {
        {at(0), "2026-12-06T14:03:09Z"},
        {fraction, "2026-12-06T14:03:09Z"},
        {at(-1796565789 - 1), "1969-12-31T23:59:59Z"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(formatIso8601Utc(c.time), c.expected);

    EXPECT_EQ(formatLogLine({at(0), LogCategory::archive, LogLevel::error, "poured “Trip” into “Home”"}),
              "2026-12-06T14:03:09Z [archive] poured “Trip” into “Home”");
}

TEST(Log, StderrSinkWritesOneLocalTimeLinePerEntry) {
    struct Case {
        const char* zone;
        const char* expected;
    } cases[] = {
        {"UTC0", "2026-12-06T14:03:09Z [sweep] swept 2 files\n"},
        {"CET-1", "2026-12-06T15:03:09+01:00 [sweep] swept 2 files\n"},
        {"<-0330>3:30", "2026-12-06T10:33:09-03:30 [sweep] swept 2 files\n"},
    };
    for (const auto& c : cases) {
        const test::ScopedEnv zone("TZ", c.zone);
        std::ostringstream out;
        StderrLogSink sink(out);
        Log log({std::shared_ptr<LogSink>(&sink, [](LogSink*) {})}, 10, [] { return at(0); });
        log.log(LogCategory::sweep, "swept %ld files", 2);
        EXPECT_EQ(out.str(), c.expected) << c.zone;
    }
}

TEST(Log, ConcurrentWritersLoseNothing) {
    auto sink = std::make_shared<ListSink>();
    Log log({sink}, 10000);
    std::vector<std::thread> writers;
    for (int t = 0; t < 4; ++t)
        writers.emplace_back([&, t] {
            for (int i = 0; i < 500; ++i)
                log.log(LogCategory::app, "writer %d entry %d", t, i);
        });
    for (auto& writer : writers)
        writer.join();
    EXPECT_EQ(sink->entries.size(), 2000u);
    EXPECT_EQ(log.recent(5000).size(), 2000u);
}
