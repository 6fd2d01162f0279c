#pragma once

#include "support/Log.h"

#include <filesystem>
#include <memory>
#include <string>

namespace tessarin {

// The socket through which the journal accepts entries.
inline const std::filesystem::path journalSocketPath = "/run/systemd/journal/socket";

// Sends each entry to the systemd journal in its native datagram protocol, with the program's identifier
// and the category in a field of its own (TESSARIN_CATEGORY), at priority info or, for the error level,
// err.
class JournaldLogSink : public LogSink {
public:
    static constexpr const char* identifier = "com.orrinvale.Tessarin";

    explicit JournaldLogSink(std::filesystem::path socket = journalSocketPath);
    ~JournaldLogSink() override;
    JournaldLogSink(const JournaldLogSink&) = delete;
    JournaldLogSink& operator=(const JournaldLogSink&) = delete;

    void write(const LogEntry& entry) override;

private:
    std::filesystem::path socket_;
    int fd_ = -1;
};

// A sink to the journal when its socket exists, none otherwise.
std::shared_ptr<LogSink> journalSinkIfRunning(const std::filesystem::path& journalSocket = journalSocketPath);

} // namespace tessarin
