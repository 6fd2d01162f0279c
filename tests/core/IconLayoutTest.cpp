#include "swap/IconLayout.h"

#include "support/Files.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace tessarin {
namespace {

TEST(IconLayout, TravelsThroughItsFileAndADamagedFileCostsOnlyWhatIsDamaged) {
    const test::TempDir folder;
    const auto file = folder / ".tessarin-layout";
    IconLayout layout;
    layout.set("caja", "two words.pdf", {64, -182});
    layout.set("caja", "Über straße — 東京 ✓", {0, 0});
    layout.set("xfdesktop 1264x754", "two words.pdf", {3, 5});
    layout.set("caja", std::string("bad \xff name"), {1, 1}); // not recordable: ignored
    layout.write(file);
    EXPECT_EQ(IconLayout::read(file), layout);
    EXPECT_EQ(layout.positions("caja").size(), 2u);

    const struct {
        const char* what;
        std::string content;
        IconPositions caja;
    } damaged[] = {
        {"one entry of the wrong kind",
         R"({"version":1,"hosts":{"caja":{"a":{"x":1,"y":2},"b":{"x":"left","y":2},"c":[3,4]},"xfdesktop":7}})",
         {{"a", {1, 2}}}},
        {"cut off", R"({"version":1,"hosts":{"caja":{"a":{"x":1,)", {}},
        {"hosts missing", R"({"version":1})", {}},
    };
    for (const auto& c : damaged) {
        SCOPED_TRACE(c.what);
        test::writeFile(file, c.content);
        EXPECT_EQ(IconLayout::read(file).positions("caja"), c.caja);
    }
    EXPECT_TRUE(IconLayout::read(folder / "missing").empty());
}

} // namespace
} // namespace tessarin
