#include "support/Log.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <exception>

namespace tessarin {

std::string_view logCategoryName(LogCategory category) {
    switch (category) {
    case LogCategory::app:
        return "app";
    case LogCategory::swap:
        return "swap";
    case LogCategory::sweep:
        return "sweep";
    case LogCategory::archive:
        return "archive";
    case LogCategory::error:
        return "error";
    }
    return "app";
}

Log::Log(std::vector<std::shared_ptr<LogSink>> sinks, std::size_t capacity, Clock clock)
    : sinks_(std::move(sinks)), capacity_(capacity == 0 ? 1 : capacity), clock_(std::move(clock)) {
    if (!clock_)
        clock_ = [] { return std::chrono::system_clock::now(); };
}

void Log::addSink(std::shared_ptr<LogSink> sink) {
    std::lock_guard lock(mutex_);
    sinks_.push_back(std::move(sink));
}

void Log::removeSink(const std::shared_ptr<LogSink>& sink) {
    std::lock_guard lock(mutex_);
    std::erase(sinks_, sink);
}

std::size_t Log::sinkCount() const {
    std::lock_guard lock(mutex_);
    return sinks_.size();
}

void Log::write(LogCategory category, LogLevel level, std::string message) {
    std::lock_guard lock(mutex_);
    LogEntry entry{clock_(), category, level, std::move(message)};
    for (const auto& sink : sinks_) {
        try {
            sink->write(entry);
        } catch (const std::exception&) {
            // Logging never fails the caller; the entry still reaches the ring and the other sinks.
        }
    }
    if (ring_.size() == capacity_)
        ring_.pop_front();
    ring_.push_back(std::move(entry));
}

std::vector<LogEntry> Log::recent(std::size_t limit) const {
    std::lock_guard lock(mutex_);
    const std::size_t count = std::min(limit, ring_.size());
    return {ring_.end() - static_cast<std::ptrdiff_t>(count), ring_.end()};
}

namespace {

std::string formatTm(const std::tm& tm) {
    char text[80];
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d", tm.tm_year + 1900, tm.tm_mon + 1,
                  tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec);
    return text;
}

std::time_t wholeSeconds(std::chrono::system_clock::time_point time) {
    return static_cast<std::time_t>(
        std::chrono::floor<std::chrono::seconds>(time.time_since_epoch()).count());
}

} // namespace

std::string formatIso8601Utc(std::chrono::system_clock::time_point time) {
    const std::time_t seconds = wholeSeconds(time);
    std::tm tm{};
    ::gmtime_r(&seconds, &tm);
    return formatTm(tm) + "Z";
}

std::string formatIso8601Local(std::chrono::system_clock::time_point time) {
    const std::time_t seconds = wholeSeconds(time);
    std::tm tm{};
    ::localtime_r(&seconds, &tm);
    const long offset = tm.tm_gmtoff;
    if (offset == 0)
        return formatTm(tm) + "Z";
    const long minutes = std::labs(offset) / 60;
    char zone[24];
    std::snprintf(zone, sizeof zone, "%c%02ld:%02ld", offset < 0 ? '-' : '+', minutes / 60, minutes % 60);
    return formatTm(tm) + zone;
}

std::string formatLogLine(const LogEntry& entry) {
    return formatIso8601Utc(entry.timestamp) + " [" + std::string(logCategoryName(entry.category)) + "] " +
           entry.message;
}

std::string recentLogText(const Log& log, std::size_t limit) {
    const auto entries = log.recent(limit);
    if (entries.empty())
        return "(no entries)";
    std::string text;
    for (const auto& entry : entries) {
        if (!text.empty())
            text += '\n';
        text += formatLogLine(entry);
    }
    return text;
}

} // namespace tessarin
