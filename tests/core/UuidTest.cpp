#include "support/Uuid.h"

#include <gtest/gtest.h>
#include <set>

using tessarin::Uuid;

TEST(Uuid, RandomIsUpperCaseVersion4AndParsesBack) {
    std::set<std::string> seen;
    for (int i = 0; i < 1000; ++i) {
        const auto id = Uuid::random();
        ASSERT_EQ(id.text().size(), 36u);
        EXPECT_EQ(id.text()[14], '4');
        EXPECT_EQ(Uuid::parse(id.text()), id);
        for (char c : id.text())
            EXPECT_FALSE(c >= 'a' && c <= 'z') << id.text();
        seen.insert(id.text());
    }
    EXPECT_EQ(seen.size(), 1000u);
}

TEST(Uuid, ParseNormalisesCaseAndRejectsMalformedText) {
    struct Case {
        const char* text;
        const char* expected; // nullptr: refused
    } cases[] = {
        {"0a1b2c3d-4e5f-6789-abcd-ef0123456789", "0A1B2C3D-4E5F-6789-ABCD-EF0123456789"},
        {"0A1B2C3D4E5F-6789-ABCD-EF0123456789-", nullptr},
        {"0A1B2C3D-4E5F-6789-ABCD-EF012345678", nullptr},
        {"0A1B2C3D-4E5F-6789-ABCD-EF012345678G", nullptr},
    };
    for (const auto& c : cases) {
        const auto parsed = Uuid::parse(c.text);
        if (c.expected)
            EXPECT_EQ(parsed ? parsed->text() : "", c.expected) << c.text;
        else
            EXPECT_FALSE(parsed) << c.text;
    }
}
