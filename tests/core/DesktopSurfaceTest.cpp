#include "swap/DesktopSurface.h"

#include <gtest/gtest.h>
#include <set>
#include <stdexcept>

using namespace tessarin;

namespace {

// A surface that knows positions for some names and fails for others, and takes the defaults for the
// batch operations.
class PositionSurface : public DesktopSurface {
public:
    std::map<std::string, IconPosition> known;
    std::set<std::string> failing;
    std::vector<std::string> written;

    bool sameVolume() override { return true; }
    std::vector<std::string> items(const Location&) override { return {}; }
    void move(const std::string&, const Location&, const Location&) override {}
    std::optional<IconPosition> readPosition(const std::string& name) override {
        if (failing.count(name))
            throw std::runtime_error("cannot read " + name);
        if (auto it = known.find(name); it != known.end())
            return it->second;
        return std::nullopt;
    }
    void writePosition(const IconPosition& position, const std::string& name) override {
        if (failing.count(name))
            throw std::runtime_error("cannot write " + name);
        written.push_back(name + "@" + std::to_string(position.x) + "," + std::to_string(position.y));
    }
};

} // namespace

TEST(DesktopSurface, DefaultBatchOperationsSkipWhatFails) {
    PositionSurface surface;
    surface.known = {{"a", {10, 20}}, {"b", {-5, 7}}, {"bad", {1, 1}}};
    surface.failing = {"bad"};

    EXPECT_EQ(surface.readPositions({"a", "missing", "bad", "b", "a"}),
              (IconPositions{{"a", {10, 20}}, {"b", {-5, 7}}}));
    EXPECT_TRUE(surface.readPositions({}).empty());

    surface.writePositions({{"a", {1, 2}}, {"bad", {3, 4}}, {"c", {5, 6}}});
    EXPECT_EQ(surface.written, (std::vector<std::string>{"a@1,2", "c@5,6"}));

    // carryPositions does nothing by default, and must not throw.
    EXPECT_NO_THROW(surface.carryPositions(Location::desktop(), Location::workspace("A")));
}
