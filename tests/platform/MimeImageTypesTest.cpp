// Image types come from the shared MIME database by the file name alone.
#include "freedesktop/MimeImageTypes.h"

#include <gtest/gtest.h>

using namespace tessarin;

TEST(MimeImageTypes, DecidesByTheNamesRegisteredType) {
    struct Case {
        const char* name;
        bool image;
    } cases[] = {
        {"Screenshot 2026-03-01 at 09.12.33.png", true},
        {"Report.pdf", false},
        {"README", false}, // no extension: no type
    };
    for (const auto& c : cases)
        EXPECT_EQ(MimeImageTypes::isImage(c.name), c.image) << c.name;
}
