#pragma once

#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace tessarin::test {

// Sets environment variables for the life of the object (a null value unsets one), then puts back what was
// there before. TZ changes are applied to the C library's time conversions at once.
class ScopedEnv {
public:
    ScopedEnv() = default;
    ScopedEnv(const char* name, const char* value) { set(name, value); }
    ~ScopedEnv() {
        for (auto it = saved_.rbegin(); it != saved_.rend(); ++it)
            apply(it->first.c_str(), it->second ? it->second->c_str() : nullptr);
    }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

    void set(const char* name, const char* value) {
        const char* old = std::getenv(name);
        saved_.emplace_back(name, old ? std::optional<std::string>(old) : std::nullopt);
        apply(name, value);
    }

private:
    static void apply(const char* name, const char* value) {
        if (value)
            ::setenv(name, value, 1);
        else
            ::unsetenv(name);
        if (std::string(name) == "TZ")
            ::tzset();
    }

    std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

} // namespace tessarin::test
