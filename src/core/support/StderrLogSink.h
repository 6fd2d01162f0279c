#pragma once

#include "support/Log.h"

#include <iosfwd>

namespace tessarin {

// Writes each entry as one line, "<local ISO 8601 timestamp> [<category>] <message>", to standard error
// (or to the stream given).
class StderrLogSink : public LogSink {
public:
    StderrLogSink();
    explicit StderrLogSink(std::ostream& out) : out_(out) {}

    void write(const LogEntry& entry) override;

private:
    std::ostream& out_;
};

} // namespace tessarin
