#include "journald/JournaldLogSink.h"

#include "support/StderrLogSink.h"

#include <gtest/gtest.h>

using namespace tessarin;

TEST(JournaldLogSink, ChoosesTheJournalOnlyWhenItsSocketExists) {
    const auto fallback = makeDefaultLogSink("/nonexistent/journal/socket");
    EXPECT_NE(dynamic_cast<StderrLogSink*>(fallback.get()), nullptr);

    const bool journalRunning = std::filesystem::exists(journalSocketPath);
    const auto chosen = makeDefaultLogSink();
    EXPECT_EQ(dynamic_cast<JournaldLogSink*>(chosen.get()) != nullptr, journalRunning);
}

TEST(JournaldLogSink, SendsAnEntry) {
    if (!std::filesystem::exists(journalSocketPath))
        GTEST_SKIP() << "no systemd journal here (" << journalSocketPath << " is missing)";
    JournaldLogSink sink;
    Log log({std::shared_ptr<LogSink>(&sink, [](LogSink*) {})});
    log.log(LogCategory::app, "platform-core-tests: journald sink check %d", 1);
    log.log(LogCategory::error, LogLevel::error, "platform-core-tests: journald error level check");
    EXPECT_EQ(log.recent(2).size(), 2u);
}
