#include "swap/IconPlacement.h"

#include <gtest/gtest.h>
#include <set>
#include <stdexcept>

using namespace tessarin;

namespace {

// Icons that land where they are written only after `stubbornWrites` attempts; the Desktop lists the
// expected names only after `listingsUntilPresent` listings. Reading or writing a `failing` name throws.
class RecordingSurface : public DesktopSurface {
public:
    int stubbornWrites = 0;
    int listingsUntilPresent = 0;
    int writes = 0;
    int reads = 0;
    int listings = 0;
    IconPositions placed;
    std::vector<std::string> names;
    std::set<std::string> failing;

    bool sameVolume() override { return true; }
    std::vector<std::string> items(const Location&) override {
        return ++listings > listingsUntilPresent ? names : std::vector<std::string>{};
    }
    void move(const std::string&, const Location&, const Location&) override {}
    std::optional<IconPosition> readPosition(const std::string& name) override {
        if (failing.contains(name))
            throw std::runtime_error("cannot read " + name);
        const IconPosition* p = placed.find(name);
        return p ? std::optional(*p) : std::nullopt;
    }
    IconPositions readPositions(const std::vector<std::string>& n) override {
        ++reads;
        return DesktopSurface::readPositions(n);
    }
    void writePosition(const IconPosition& position, const std::string& name) override {
        if (failing.contains(name))
            throw std::runtime_error("cannot write " + name);
        if (writes > stubbornWrites)
            placed.set(name, position);
    }
    void writePositions(const IconPositions& positions) override {
        ++writes;
        DesktopSurface::writePositions(positions);
    }
};

} // namespace

// What did not land is written again until it does; a host that never takes the positions, or never lists
// the items, is given up on without an error.
TEST(IconPlacement, PositionsThatDidNotLandAreWrittenAgainAndAStubbornHostIsGivenUp) {
    const IconPositions wanted{{"a", {1, -2}}, {"b", {3, 4}}};
    for (const int stubbornWrites : {0, 1, 99}) {
        RecordingSurface s;
        s.stubbornWrites = stubbornWrites;
        placeSettling(s, wanted, [](auto) {});
        EXPECT_EQ(s.placed, stubbornWrites < 99 ? wanted : IconPositions{}) << stubbornWrites;
    }
    for (const int listingsUntilPresent : {0, 3, 1000}) {
        RecordingSurface s;
        s.names = {"a", "b"};
        s.listingsUntilPresent = listingsUntilPresent;
        placeBatched(s, wanted, {"a", "b"}, [](auto) {});
        EXPECT_EQ(s.writes, 1) << listingsUntilPresent; // written once, at once when nothing else is known
        EXPECT_EQ(s.placed, wanted);
    }
}

TEST(DesktopSurface, DefaultBatchOperationsSkipWhatFails) {
    RecordingSurface s;
    s.placed = {{"a", {10, 20}}, {"b", {-5, 7}}, {"bad", {1, 1}}};
    s.failing = {"bad"};
    EXPECT_EQ(s.readPositions({"a", "missing", "bad", "b", "a"}),
              (IconPositions{{"a", {10, 20}}, {"b", {-5, 7}}}));

    s.writePositions({{"a", {1, 2}}, {"bad", {3, 4}}, {"c", {5, 6}}});
    EXPECT_EQ(s.placed, (IconPositions{{"a", {1, 2}}, {"b", {-5, 7}}, {"bad", {1, 1}}, {"c", {5, 6}}}));
}
