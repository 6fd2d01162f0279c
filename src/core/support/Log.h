#pragma once

#include "support/LogFormat.h"

#include <chrono>
#include <cstddef>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

namespace tessarin {

enum class LogCategory { app, swap, sweep, archive, error };
enum class LogLevel { defaultLevel, error };

// "app", "swap", "sweep", "archive" or "error".
std::string_view logCategoryName(LogCategory category);

struct LogEntry {
    std::chrono::system_clock::time_point timestamp;
    LogCategory category = LogCategory::app;
    LogLevel level = LogLevel::defaultLevel;
    std::string message;
};

// Where log entries go besides this run's ring: the system journal, standard error, a test's list.
class LogSink {
public:
    virtual ~LogSink() = default;
    virtual void write(const LogEntry& entry) = 0;

protected:
    LogSink() = default;
    LogSink(const LogSink&) = default;
    LogSink& operator=(const LogSink&) = default;
};

// The program's log: every entry goes to each sink and into a bounded ring of this run's entries, which
// the diagnostics report reads. Safe to use from several threads; sinks are called one entry at a time
// and must not log themselves.
class Log {
public:
    using Clock = std::function<std::chrono::system_clock::time_point()>;
    static constexpr std::size_t defaultCapacity = 5000;

    // `clock` stamps the entries; the system clock when empty.
    explicit Log(std::vector<std::shared_ptr<LogSink>> sinks = {}, std::size_t capacity = defaultCapacity,
                 Clock clock = {});

    void addSink(std::shared_ptr<LogSink> sink);
    void removeSink(const std::shared_ptr<LogSink>& sink);
    // How many sinks are attached: a long-running program's log must not gather them.
    std::size_t sinkCount() const;

    // Formats with formatLogMessage and records the message.
    template <typename... Args>
    void log(LogCategory category, LogLevel level, std::string_view format, const Args&... args) {
        write(category, level, formatLogMessage(format, args...));
    }
    template <typename... Args> void log(LogCategory category, std::string_view format, const Args&... args) {
        write(category, LogLevel::defaultLevel, formatLogMessage(format, args...));
    }

    // Records a message that is already composed.
    void write(LogCategory category, LogLevel level, std::string message);

    // The last `limit` entries of this run, oldest first.
    std::vector<LogEntry> recent(std::size_t limit) const;

private:
    std::vector<std::shared_ptr<LogSink>> sinks_;
    std::size_t capacity_;
    Clock clock_;
    mutable std::mutex mutex_;
    std::deque<LogEntry> ring_;
};

// A sink attached to a log for the life of this object: a command's transcript that must not outlive
// the command, also when it ends with an exception.
class ScopedLogSink {
public:
    ScopedLogSink(Log& log, std::shared_ptr<LogSink> sink) : log_(log), sink_(std::move(sink)) {
        log_.addSink(sink_);
    }
    ~ScopedLogSink() { log_.removeSink(sink_); }
    ScopedLogSink(const ScopedLogSink&) = delete;
    ScopedLogSink& operator=(const ScopedLogSink&) = delete;

private:
    Log& log_;
    std::shared_ptr<LogSink> sink_;
};

// "2026-12-06T14:03:09Z": UTC, whole seconds.
std::string formatIso8601Utc(std::chrono::system_clock::time_point time);
// "2026-12-06T15:03:09+01:00": local time with its offset from UTC ("Z" when there is none).
std::string formatIso8601Local(std::chrono::system_clock::time_point time);

// "<UTC timestamp> [<category>] <message>".
std::string formatLogLine(const LogEntry& entry);
// The last `limit` entries as log lines joined by line feeds; "(no entries)" when there are none.
std::string recentLogText(const Log& log, std::size_t limit);

} // namespace tessarin
