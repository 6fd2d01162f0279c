#include "support/Uuid.h"

#include <array>
#include <cctype>
#include <random>

namespace tessarin {

Uuid Uuid::random() {
    static thread_local std::mt19937_64 engine{std::random_device{}()};
    std::array<unsigned char, 16> bytes{};
    for (size_t i = 0; i < bytes.size(); i += 8) {
        const auto value = engine();
        for (size_t j = 0; j < 8; ++j)
            bytes[i + j] = static_cast<unsigned char>(value >> (8 * j));
    }
    bytes[6] = static_cast<unsigned char>((bytes[6] & 0x0F) | 0x40); // version 4
    bytes[8] = static_cast<unsigned char>((bytes[8] & 0x3F) | 0x80); // RFC 4122 variant
    static constexpr char digits[] = "0123456789ABCDEF";
    std::string text;
    text.reserve(36);
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (i == 4 || i == 6 || i == 8 || i == 10)
            text += '-';
        text += digits[bytes[i] >> 4];
        text += digits[bytes[i] & 0x0F];
    }
    return Uuid(std::move(text));
}

std::optional<Uuid> Uuid::parse(std::string_view text) {
    if (text.size() != 36)
        return std::nullopt;
    std::string upper;
    upper.reserve(36);
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        const bool dash = i == 8 || i == 13 || i == 18 || i == 23;
        if (dash ? c != '-' : !std::isxdigit(static_cast<unsigned char>(c)))
            return std::nullopt;
        upper += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return Uuid(std::move(upper));
}

} // namespace tessarin
