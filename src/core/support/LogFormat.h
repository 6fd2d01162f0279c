#pragma once

#include <array>
#include <concepts>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <variant>

namespace tessarin {

// One value inserted into a log message: text or an integer.
class LogArgument {
public:
    LogArgument(std::string_view text) : value_(std::string(text)) {}
    LogArgument(const std::string& text) : value_(text) {}
    LogArgument(const char* text) : value_(std::string(text ? text : "")) {}
    template <std::integral T> LogArgument(T number) : value_(static_cast<long long>(number)) {}

    std::string text() const;

private:
    std::variant<std::string, long long> value_;
};

// Fills a message format written with %{public}s, %ld and %d placeholders (any privacy annotation in
// braces, length modifiers l/ll/h/z/j/t and conversions s, d, i, u, @ are understood; "%%" is a percent
// sign) with `arguments` in order. A placeholder without an argument is kept as written; surplus
// arguments are ignored. The argument is written as it is whatever the conversion says.
std::string formatLogMessageWith(std::string_view format, std::span<const LogArgument> arguments);

template <typename... Args>
requires(std::constructible_from<LogArgument, const Args&>&&...) std::string
    formatLogMessage(std::string_view format, const Args&... args) {
    const std::array<LogArgument, sizeof...(Args)> arguments{LogArgument(args)...};
    return formatLogMessageWith(format, arguments);
}

} // namespace tessarin
