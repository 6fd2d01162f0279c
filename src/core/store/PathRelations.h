#pragma once

#include <filesystem>

namespace tessarin {

// The path with symbolic links resolved as far as it exists, "." and ".." removed.
std::filesystem::path resolvedPath(const std::filesystem::path& path);

// True when `inner` is `outer` or lies below it, compared component by component (resolve both first).
bool isWithin(const std::filesystem::path& inner, const std::filesystem::path& outer);

} // namespace tessarin
