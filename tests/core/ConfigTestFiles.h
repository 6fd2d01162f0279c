#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>
#include <string>

namespace tessarin::testing {

inline std::filesystem::path configSample(const std::string& name) {
    return std::filesystem::path(TESSARIN_TEST_DATA_DIR) / "config" / name;
}

inline std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot open " + path.string());
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

inline void writeFile(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
    if (!out.flush())
        throw std::runtime_error("cannot write " + path.string());
}

inline std::string withoutTrailingNewline(std::string text) {
    while (!text.empty() && text.back() == '\n')
        text.pop_back();
    return text;
}

// A fresh folder under $HOME (each test binary runs with its own HOME), removed on destruction.
class TempDir {
public:
    TempDir() {
        const char* home = std::getenv("HOME");
        const auto base =
            std::filesystem::path(home && *home ? home : std::filesystem::temp_directory_path());
        std::random_device seed;
        path_ = base / ("tessarin-test-" + std::to_string(seed()) + std::to_string(seed()));
        std::filesystem::create_directories(path_);
    }
    ~TempDir() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

} // namespace tessarin::testing
