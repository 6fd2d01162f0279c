#include "swap/IconPlacement.h"

#include <gtest/gtest.h>

using namespace tessarin;

namespace {

// Icons that land where they are written only after `stubbornWrites` attempts; the Desktop lists the
// expected names only after `listingsUntilPresent` listings.
class RecordingSurface : public DesktopSurface {
public:
    int stubbornWrites = 0;
    int listingsUntilPresent = 0;
    int writes = 0;
    int reads = 0;
    int listings = 0;
    IconPositions placed;
    std::vector<std::string> names;

    bool sameVolume() override { return true; }
    std::vector<std::string> items(const Location&) override {
        return ++listings > listingsUntilPresent ? names : std::vector<std::string>{};
    }
    void move(const std::string&, const Location&, const Location&) override {}
    std::optional<IconPosition> readPosition(const std::string& name) override {
        const IconPosition* p = placed.find(name);
        return p ? std::optional(*p) : std::nullopt;
    }
    IconPositions readPositions(const std::vector<std::string>& n) override {
        ++reads;
        return DesktopSurface::readPositions(n);
    }
    void writePosition(const IconPosition& position, const std::string& name) override {
        if (writes > stubbornWrites)
            placed.set(name, position);
    }
    void writePositions(const IconPositions& positions) override {
        ++writes;
        DesktopSurface::writePositions(positions);
    }
};

} // namespace

TEST(IconPlacement, SettleRewritesWhatDidNotLandInAtMostThreeRounds) {
    struct Case {
        int stubbornWrites;
        int writes, reads, pauses;
    } cases[] = {
        {0, 1, 1, 0},  // lands at once: one write, one read
        {1, 2, 2, 0},  // second write lands
        {2, 3, 3, 1},  // third write lands after one pause
        {99, 4, 3, 2}, // never lands: four writes, three reads, two pauses
    };
    for (const auto& c : cases) {
        RecordingSurface s;
        s.stubbornWrites = c.stubbornWrites;
        std::vector<std::chrono::microseconds> pauses;
        placeSettling(s, {{"a", {1, -2}}, {"b", {3, 4}}}, [&](auto d) { pauses.push_back(d); });
        EXPECT_EQ(s.writes, c.writes) << c.stubbornWrites;
        EXPECT_EQ(s.reads, c.reads) << c.stubbornWrites;
        ASSERT_EQ(static_cast<int>(pauses.size()), c.pauses) << c.stubbornWrites;
        for (auto p : pauses)
            EXPECT_EQ(p, std::chrono::milliseconds(50));
    }
}

TEST(IconPlacement, BatchWaitsForTheItemsAtMostTwelveChecks) {
    struct Case {
        int listingsUntilPresent;
        int listings, pauses;
    } cases[] = {{0, 1, 0}, {3, 4, 3}, {100, 12, 12}};
    for (const auto& c : cases) {
        RecordingSurface s;
        s.names = {"a", "b"};
        s.listingsUntilPresent = c.listingsUntilPresent;
        int pauses = 0;
        placeBatched(s, {{"a", {1, 2}}}, {"a", "b"}, [&](auto d) {
            EXPECT_EQ(d, std::chrono::milliseconds(30));
            ++pauses;
        });
        EXPECT_EQ(s.listings, c.listings);
        EXPECT_EQ(pauses, c.pauses);
        EXPECT_EQ(s.writes, 1); // landed on the first write: no second one
        EXPECT_EQ(s.reads, 1);
    }
}
