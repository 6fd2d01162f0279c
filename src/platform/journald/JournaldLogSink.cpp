#include "journald/JournaldLogSink.h"

#include "support/StderrLogSink.h"

#include <system_error>
#include <systemd/sd-journal.h>

namespace tessarin {

namespace {

constexpr int priorityInfo = 6;
constexpr int priorityError = 3;

} // namespace

JournaldLogSink::JournaldLogSink(std::string identifier) : identifier_(std::move(identifier)) {}

void JournaldLogSink::write(const LogEntry& entry) {
    const std::string category(logCategoryName(entry.category));
    const int priority = entry.level == LogLevel::error ? priorityError : priorityInfo;
    // Logging never fails the caller: an entry the journal refuses is dropped.
    sd_journal_send("MESSAGE=%s", entry.message.c_str(), "PRIORITY=%d", priority, "SYSLOG_IDENTIFIER=%s",
                    identifier_.c_str(), "TESSARIN_CATEGORY=%s", category.c_str(), nullptr);
}

std::shared_ptr<LogSink> makeDefaultLogSink(const std::filesystem::path& journalSocket) {
    std::error_code ec;
    if (std::filesystem::exists(journalSocket, ec))
        return std::make_shared<JournaldLogSink>();
    return std::make_shared<StderrLogSink>();
}

} // namespace tessarin
