#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace tessarin {

// A set of item names that views them instead of copying them: the names must outlive the set. One
// flat table with linear probing: a switch of many items builds several of these over its listings, and
// a node-based set spends most of that time allocating nodes and following them.
class NameSet {
public:
    // Room for `expected` names before the table grows.
    explicit NameSet(std::size_t expected = 0);
    // The names of `names`, with room for `room` more.
    template <class Names>
    explicit NameSet(const Names& names, std::size_t room = 0) : NameSet(names.size() + room) {
        for (const auto& name : names)
            insert(name);
    }

    // False when `name` was in the set already.
    bool insert(std::string_view name);
    bool contains(std::string_view name) const;
    // False when `name` was not in the set.
    bool erase(std::string_view name);
    std::size_t size() const { return size_; }

private:
    // A slot is 0 (empty), 1 (erased) or 2 + the index of its name in names_, beside the hash's upper
    // bits: eight bytes, so the table of a large listing stays small and is cleared with one memset.
    struct Slot {
        std::uint32_t tag = 0;
        std::uint32_t entry = 0;
    };
    static constexpr std::uint32_t emptySlot = 0;
    static constexpr std::uint32_t erasedSlot = 1;
    static constexpr std::size_t notFound = static_cast<std::size_t>(-1);

    std::size_t find(std::string_view name, std::size_t hash) const;
    // A table with room for the names held and one more, without erased slots.
    void rebuild();

    std::vector<Slot> slots_;
    std::vector<std::string_view> names_; // in the order inserted, erased ones included
    std::size_t size_ = 0;                // names held
    std::size_t used_ = 0;                // slots not empty: at most three quarters, so a probe always ends
};

} // namespace tessarin
