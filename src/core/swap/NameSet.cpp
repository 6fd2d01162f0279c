#include "swap/NameSet.h"

#include <algorithm>
#include <bit>
#include <functional>
#include <utility>

namespace tessarin {

namespace {

// A power of two at least 4/3 of `names`.
std::size_t tableFor(std::size_t names) {
    return std::bit_ceil(std::max<std::size_t>(8, names + names / 3 + 1));
}

std::size_t hashOf(std::string_view name) {
    return std::hash<std::string_view>{}(name);
}

std::uint32_t tagOf(std::size_t hash) {
    return static_cast<std::uint32_t>(hash >> 32);
}

} // namespace

NameSet::NameSet(std::size_t expected) : slots_(tableFor(expected)) {
    names_.reserve(expected);
}

std::size_t NameSet::find(std::string_view name, std::size_t hash) const {
    const std::size_t mask = slots_.size() - 1;
    const std::uint32_t tag = tagOf(hash);
    for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
        const Slot slot = slots_[i];
        if (slot.entry == emptySlot)
            return notFound;
        if (slot.entry != erasedSlot && slot.tag == tag && names_[slot.entry - 2] == name)
            return i;
    }
}

bool NameSet::contains(std::string_view name) const {
    return size_ > 0 && find(name, hashOf(name)) != notFound;
}

bool NameSet::erase(std::string_view name) {
    if (size_ == 0)
        return false;
    const std::size_t at = find(name, hashOf(name));
    if (at == notFound)
        return false;
    slots_[at].entry = erasedSlot;
    --size_;
    return true;
}

bool NameSet::insert(std::string_view name) {
    if ((used_ + 1) * 4 > slots_.size() * 3)
        rebuild();
    const std::size_t hash = hashOf(name);
    const std::uint32_t tag = tagOf(hash);
    const std::size_t mask = slots_.size() - 1;
    std::size_t reuse = notFound;
    std::size_t i = hash & mask;
    for (;; i = (i + 1) & mask) {
        const Slot slot = slots_[i];
        if (slot.entry == emptySlot)
            break;
        if (slot.entry == erasedSlot) {
            if (reuse == notFound)
                reuse = i;
        } else if (slot.tag == tag && names_[slot.entry - 2] == name) {
            return false;
        }
    }
    if (reuse == notFound)
        ++used_;
    else
        i = reuse;
    slots_[i] = Slot{tag, static_cast<std::uint32_t>(names_.size() + 2)};
    names_.push_back(name);
    ++size_;
    return true;
}

void NameSet::rebuild() {
    std::vector<std::string_view> held;
    held.reserve(size_ + 1);
    for (const Slot slot : slots_)
        if (slot.entry != emptySlot && slot.entry != erasedSlot)
            held.push_back(names_[slot.entry - 2]);
    slots_.assign(tableFor(size_ + 1), Slot{});
    names_.clear();
    size_ = 0;
    used_ = 0;
    for (const auto name : held)
        insert(name);
}

} // namespace tessarin
