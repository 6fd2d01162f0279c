#pragma once

#include "session/SwitchSequence.h"
#include "store/StateStore.h"

#include <string>
#include <vector>

namespace tessarin {

// What `status` reports, whether tessarinctl computed it itself or the running agent did.
struct StatusReport {
    std::string active;
    std::vector<std::string> live;     // in document order
    std::vector<std::string> archived; // newest first
    bool hidden = false;
    bool journalPending = false;
    bool readOnly = false;

    bool operator==(const StatusReport&) const = default;
};

// Reads the document and the journal (an unreadable journal counts as pending). Throws DecodeError
// when the document cannot be read.
StatusReport makeStatusReport(StateStore& store, bool readOnly);

// {"active", "live", "archived", "hidden", "journalPending", "readOnly"}: the `status --json` object.
std::string encodeStatusReport(const StatusReport& report);
// {"active", "live"}: the `list --json` object.
std::string encodeListReport(const StatusReport& report);
// Reads either form; missing keys keep their defaults. Throws std::invalid_argument on bad JSON.
StatusReport decodeStatusReport(const std::string& json);

// {"result", "from", "to", "skips", "milliseconds", "error"}: one request of the switch sequence.
std::string encodeSwitchOutcome(const SwitchOutcome& outcome);
// Throws std::invalid_argument on bad JSON or an unknown result.
SwitchOutcome decodeSwitchOutcome(const std::string& json);

} // namespace tessarin
