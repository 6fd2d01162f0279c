#include "swap/NameSet.h"

#include <gtest/gtest.h>
#include <random>
#include <string>
#include <unordered_set>
#include <vector>

using namespace tessarin;

// Random inserts, erases and lookups against the standard set, from a small pool of names so that
// erased slots are reused and the table is rebuilt many times over.
TEST(NameSet, AgreesWithTheStandardSetThroughInsertsAndErases) {
    struct Case {
        const char* what;
        std::size_t expected; // the room made at the start
        int pool;             // distinct names
        int steps;
    };
    const Case cases[] = {
        {"no room at the start: grows from the smallest table", 0, 40, 20000},
        {"room for all: only erased slots pile up", 1000, 1000, 60000},
        {"names that share their first bytes and lengths", 16, 300, 20000},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<std::string> names;
        names.reserve(static_cast<std::size_t>(c.pool));
        for (int i = 0; i < c.pool; ++i)
            names.push_back(std::string(static_cast<std::size_t>(i % 7), 'x') + std::to_string(i));
        std::mt19937 random(5);
        NameSet set(c.expected);
        std::unordered_set<std::string> oracle;
        for (int step = 0; step < c.steps; ++step) {
            const std::string& name = names[random() % names.size()];
            switch (random() % 3) {
            case 0:
                ASSERT_EQ(set.insert(name), oracle.insert(name).second) << name;
                break;
            case 1:
                ASSERT_EQ(set.erase(name), oracle.erase(name) == 1) << name;
                break;
            default:
                ASSERT_EQ(set.contains(name), oracle.count(name) == 1) << name;
            }
            ASSERT_EQ(set.size(), oracle.size());
        }
        for (const auto& name : names)
            EXPECT_EQ(set.contains(name), oracle.count(name) == 1) << name;
    }
}
