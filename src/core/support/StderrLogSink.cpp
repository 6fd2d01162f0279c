#include "support/StderrLogSink.h"

#include <iostream>

namespace tessarin {

StderrLogSink::StderrLogSink() : out_(std::cerr) {}

void StderrLogSink::write(const LogEntry& entry) {
    out_ << formatIso8601Local(entry.timestamp) << " [" << logCategoryName(entry.category) << "] "
         << entry.message << '\n'
         << std::flush;
}

} // namespace tessarin
