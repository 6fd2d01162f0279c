#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace tessarin {

// Replaces the file at `target` with `bytes` so that a reader, or the next start after a crash at
// any instant, sees either the complete old or the complete new content: the bytes go to a
// temporary file in the same folder, which is flushed to disk and renamed over the target, and the
// folder is flushed so the rename itself is durable. Throws std::system_error; on failure the
// target is untouched and the temporary file removed.
void writeAtomically(const std::filesystem::path& target, std::string_view bytes);

// The whole content of a file; none when it cannot be read for any reason (missing, no permission,
// a folder in its place).
std::optional<std::string> readWholeFile(const std::filesystem::path& path);

} // namespace tessarin
