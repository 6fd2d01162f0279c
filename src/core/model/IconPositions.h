#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace tessarin {

// Saved desktop coordinates of one icon.
struct IconPosition {
    int64_t x = 0;
    int64_t y = 0;

    bool operator==(const IconPosition&) const = default;
};

// Item name -> icon position. Keeps insertion order (the order of the stored JSON object, so a
// document written back is byte-identical) and looks names up in constant time.
class IconPositions {
public:
    using Entry = std::pair<std::string, IconPosition>;

    IconPositions() = default;
    IconPositions(std::initializer_list<Entry> entries);

    const IconPosition* find(std::string_view name) const;
    bool contains(std::string_view name) const { return find(name) != nullptr; }
    // Replaces the position of an existing name in place, otherwise appends the name at the end.
    void set(std::string name, IconPosition position);
    // Returns whether the name was present.
    bool erase(std::string_view name);
    void clear();
    void reserve(std::size_t count);

    std::size_t size() const { return entries_.size(); }
    bool empty() const { return entries_.empty(); }
    // Entries in insertion order.
    std::vector<Entry>::const_iterator begin() const { return entries_.begin(); }
    std::vector<Entry>::const_iterator end() const { return entries_.end(); }

    // A map: equal when both hold the same names with the same positions, in any order.
    bool operator==(const IconPositions& other) const;

private:
    struct Hash {
        using is_transparent = void;
        std::size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
    };
    std::vector<Entry> entries_;
    std::unordered_map<std::string, std::size_t, Hash, std::equal_to<>> index_;
};

} // namespace tessarin
