#pragma once

#include <string_view>

namespace tessarin {

// True when `name` can stand for exactly one entry directly inside a folder: not empty, not "." or "..",
// and free of '/' and NUL. Hidden names such as ".pinned" are plain.
inline bool isPlainFolderName(std::string_view name) {
    if (name.empty() || name == "." || name == "..")
        return false;
    return name.find('/') == std::string_view::npos && name.find('\0') == std::string_view::npos;
}

} // namespace tessarin
