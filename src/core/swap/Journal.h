#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tessarin {

// The plan of one switch, written before the first item moves and deleted after the last.
struct Journal {
    std::string fromWorkspace;
    std::string toWorkspace;
    std::vector<std::string> outgoing; // Desktop items that go into fromWorkspace's folder
    std::vector<std::string> incoming; // toWorkspace's items that come onto the Desktop

    bool operator==(const Journal&) const = default;
};

// Compact JSON with the four keys in this order; every key is required when reading.
std::string encodeJournal(const Journal& journal);
Journal decodeJournal(std::string_view bytes); // throws DecodeError

} // namespace tessarin
