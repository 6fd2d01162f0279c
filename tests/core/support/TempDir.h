#pragma once

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <system_error>

namespace tessarin::test {

// A fresh directory under $TMPDIR (else /tmp), or under the parent given, removed with everything in it
// when the object goes.
class TempDir {
public:
    TempDir() : TempDir(defaultParent()) {}
    explicit TempDir(const std::filesystem::path& parent) {
        std::string pattern = (parent / "tessarin-test-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr)
            throw std::system_error(errno, std::system_category(), "mkdtemp in " + parent.string());
        path_ = pattern;
    }
    ~TempDir() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::filesystem::path& relative) const { return path_ / relative; }

    static std::filesystem::path defaultParent() {
        const char* tmp = std::getenv("TMPDIR");
        return tmp && *tmp ? std::filesystem::path(tmp) : std::filesystem::path("/tmp");
    }

private:
    std::filesystem::path path_;
};

} // namespace tessarin::test
