#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>

namespace tessarin {

// The store cannot be used as it is; nothing was touched.
class StartupError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;

    static StartupError desktopIsHome(const std::filesystem::path& desktop);
    static StartupError desktopInsideStore(const std::filesystem::path& desktop,
                                           const std::filesystem::path& root);
    static StartupError desktopContainsStore(const std::filesystem::path& desktop,
                                             const std::filesystem::path& root);
};

} // namespace tessarin
