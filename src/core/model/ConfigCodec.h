#pragma once

#include "model/Config.h"
#include "support/Date.h"

#include <nlohmann/json.hpp>
#include <stdexcept>
#include <string>
#include <string_view>

namespace tessarin {

// A document that cannot be read. The message names where and what, e.g.
//   workspaces[2].state: "deleted" is not one of active, archivedUnsorted, archivedSorted
//   activeWorkspace: required key is missing
//   config.json is not valid JSON: ...
struct DecodeError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Reads config.json. Missing keys and nulls take their defaults (including the derived ones);
// unknown keys are ignored; a wrong type, an unlisted enumeration name or a missing required key
// throws DecodeError. Cleanup tasks without a date get `now`; tasks and filters without an id get a
// fresh random one. Numbers: an Int may be written with a fraction or exponent when its value is
// integral (1.0, 1e3); a Double or a date may be written as an integer.
Config decodeConfig(std::string_view bytes, Date now);
// As above with the system clock's current time.
Config decodeConfig(std::string_view bytes);

// Compact JSON, one line, no trailing newline, fields in declaration order, optional fields left
// out when unset. `schemaVersion` is written as held (the store sets it before saving).
// Throws nlohmann::json::type_error when a text is not valid UTF-8.
std::string encodeConfig(const Config& config);

// JSON-level pieces of the same encoding, for commands that print part of the document.
using Json = nlohmann::ordered_json;

Json encodeWorkspace(const Workspace& workspace);
Json encodeSettings(const AppSettings& settings);
Json encodeCleanupTask(const CleanupTask& task);
Json encodeCustomFilter(const CustomFilter& filter);
Json encodeHotKeySpec(const HotKeySpec& spec);
Json encodeDesktopCue(const DesktopCue& cue);

} // namespace tessarin
