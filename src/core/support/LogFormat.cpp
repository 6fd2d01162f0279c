#include "support/LogFormat.h"

namespace tessarin {

std::string LogArgument::text() const {
    if (const auto* number = std::get_if<long long>(&value_))
        return std::to_string(*number);
    return std::get<std::string>(value_);
}

namespace {

constexpr std::string_view lengthModifiers = "lhzjtqL";
constexpr std::string_view conversions = "sdiu@";

// The length of the placeholder starting at format[start] == '%', or 0 when none starts there.
std::size_t placeholderLength(std::string_view format, std::size_t start) {
    std::size_t i = start + 1;
    if (i < format.size() && format[i] == '{') {
        const auto close = format.find('}', i);
        if (close == std::string_view::npos)
            return 0;
        i = close + 1;
    }
    while (i < format.size() && lengthModifiers.find(format[i]) != std::string_view::npos)
        ++i;
    if (i >= format.size() || conversions.find(format[i]) == std::string_view::npos)
        return 0;
    return i + 1 - start;
}

} // namespace

std::string formatLogMessageWith(std::string_view format, std::span<const LogArgument> arguments) {
    std::string out;
    out.reserve(format.size() + 16 * arguments.size());
    std::size_t next = 0;
    std::size_t i = 0;
    while (i < format.size()) {
        if (format[i] != '%') {
            out += format[i++];
            continue;
        }
        if (i + 1 < format.size() && format[i + 1] == '%') {
            out += '%';
            i += 2;
            continue;
        }
        const std::size_t length = placeholderLength(format, i);
        if (length == 0) {
            out += format[i++];
            continue;
        }
        if (next < arguments.size())
            out += arguments[next++].text();
        else
            out += format.substr(i, length);
        i += length;
    }
    return out;
}

} // namespace tessarin
