#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tessarin {

// A UUID in its 36-character textual form with upper-case hexadecimal digits.
class Uuid {
public:
    static Uuid random();
    // Accepts either letter case; returns none for anything that is not 8-4-4-4-12 hex digits.
    static std::optional<Uuid> parse(std::string_view text);

    const std::string& text() const { return text_; }
    bool operator==(const Uuid&) const = default;
    auto operator<=>(const Uuid&) const = default;

private:
    explicit Uuid(std::string text) : text_(std::move(text)) {}
    std::string text_;
};

} // namespace tessarin
