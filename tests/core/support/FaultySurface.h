#pragma once

#include "swap/DesktopSurface.h"

#include <map>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

namespace tessarin::test {

// Forwards every operation to another surface, except that chosen calls fail: the k-th move or the k-th
// listing (counted from 1 over the life of this object) throws std::system_error with the errno given,
// without reaching the wrapped surface.
class FaultySurface : public DesktopSurface {
public:
    explicit FaultySurface(DesktopSurface& inner) : inner_(inner) {}

    void failMove(int k, int error) { moveFailures_[k] = error; }
    void failListing(int k, int error) { listingFailures_[k] = error; }
    void setSameVolume(std::optional<bool> answer) { sameVolume_ = answer; }

    int moveCount() const { return moves_; }
    int listingCount() const { return listings_; }

    bool sameVolume() override { return sameVolume_ ? *sameVolume_ : inner_.sameVolume(); }

    std::vector<std::string> items(const Location& at) override {
        ++listings_;
        if (auto it = listingFailures_.find(listings_); it != listingFailures_.end())
            throw std::system_error(it->second, std::system_category(),
                                    "Injected failure of listing #" + std::to_string(listings_));
        return inner_.items(at);
    }

    void move(const std::string& name, const Location& from, const Location& to) override {
        ++moves_;
        if (auto it = moveFailures_.find(moves_); it != moveFailures_.end())
            throw std::system_error(it->second, std::system_category(),
                                    "Injected failure of move #" + std::to_string(moves_) + " (" + name +
                                        ")");
        inner_.move(name, from, to);
    }

    std::optional<IconPosition> readPosition(const std::string& name) override {
        return inner_.readPosition(name);
    }
    IconPositions readPositions(const std::vector<std::string>& names) override {
        return inner_.readPositions(names);
    }
    void writePosition(const IconPosition& position, const std::string& name) override {
        inner_.writePosition(position, name);
    }
    void writePositions(const IconPositions& positions) override { inner_.writePositions(positions); }
    void carryPositions(const Location& from, const Location& to) override {
        inner_.carryPositions(from, to);
    }

private:
    DesktopSurface& inner_;
    std::map<int, int> moveFailures_;
    std::map<int, int> listingFailures_;
    std::optional<bool> sameVolume_;
    int moves_ = 0;
    int listings_ = 0;
};

} // namespace tessarin::test
