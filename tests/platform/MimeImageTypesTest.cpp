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
        {"photo.JPG", true},
        {"photo.jpeg", true},
        {"drawing.svg", true}, // image/svg+xml
        {"scan.tiff", true},
        {"anim.gif", true},
        {"shot.webp", true},
        {"Report.pdf", false},
        {"notes.txt", false},
        {"archive.tar.gz", false},
        {"README", false}, // no extension: no type
        {"Screenshots", false},
        {".png", false}, // a hidden file's name, not an extension
        {"png", false},
        {"", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MimeImageTypes::isImage(c.name), c.image) << c.name;
}
