#include "model/IconPositions.h"

namespace tessarin {

IconPositions::IconPositions(std::initializer_list<Entry> entries) {
    reserve(entries.size());
    for (const auto& [name, position] : entries)
        set(name, position);
}

const IconPosition* IconPositions::find(std::string_view name) const {
    const auto it = index_.find(name);
    return it == index_.end() ? nullptr : &entries_[it->second].second;
}

void IconPositions::set(std::string name, IconPosition position) {
    if (const auto it = index_.find(name); it != index_.end()) {
        entries_[it->second].second = position;
        return;
    }
    index_.emplace(name, entries_.size());
    entries_.emplace_back(std::move(name), position);
}

bool IconPositions::erase(std::string_view name) {
    const auto it = index_.find(name);
    if (it == index_.end())
        return false;
    const std::size_t removed = it->second;
    index_.erase(it);
    entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(removed));
    for (auto& [key, position] : index_)
        if (position > removed)
            --position;
    return true;
}

void IconPositions::clear() {
    entries_.clear();
    index_.clear();
}

void IconPositions::reserve(std::size_t count) {
    entries_.reserve(count);
    index_.reserve(count);
}

bool IconPositions::operator==(const IconPositions& other) const {
    if (size() != other.size())
        return false;
    for (const auto& [name, position] : entries_) {
        const IconPosition* theirs = other.find(name);
        if (!theirs || !(*theirs == position))
            return false;
    }
    return true;
}

} // namespace tessarin
