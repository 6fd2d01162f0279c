// The adapters against the records the hosts themselves keep: gvfs metadata through the real metadata
// service (this test runs on a private session bus), xfdesktop's icon file and PCManFM's items file in
// the form those programs write.

#include "gvfs/GvfsIconHost.h"
#include "pcmanfm/PcmanfmIconHost.h"
#include "support/Files.h"
#include "support/TempDir.h"
#include "xfce/XfdesktopIconHost.h"

#include <cstdlib>
#include <gtest/gtest.h>

namespace tessarin {
namespace {

namespace fs = std::filesystem;

const std::vector<std::string> awkwardNames{"plain.txt", "two words.pdf", "Über straße — 東京 ✓.txt",
                                            "brackets [1] and \"quotes\"", "-7 leading dash"};

// The Desktop of a test: under the home folder (gvfs's "home" tree) or elsewhere ("root").
fs::path desktopFolder(bool underHome, const test::TempDir& elsewhere) {
    const fs::path folder = underHome ? fs::path(std::getenv("HOME")) / "Desktop" : elsewhere / "Desktop";
    fs::remove_all(folder);
    fs::create_directories(folder);
    return folder;
}

TEST(GvfsMetadata, PositionsSetBeforeItemsArriveAreWhatGioReadsOnceTheyAreThere) {
    for (const bool underHome : {true, false}) {
        SCOPED_TRACE(underHome ? "Desktop in the home folder" : "Desktop outside the home folder");
        test::TempDir elsewhere;
        const fs::path desktop = desktopFolder(underHome, elsewhere);
        const test::TempDir store;
        GvfsIconHost caja("caja", desktop);

        // A namesake that stood on the Desktop earlier leaves a position behind.
        test::writeFile(desktop / awkwardNames[0], "earlier");
        caja.write({{awkwardNames[0], {5, 5}}}, {});
        ASSERT_EQ(caja.read({awkwardNames[0]}), (IconPositions{{awkwardNames[0], {5, 5}}}));
        fs::remove(desktop / awkwardNames[0]);

        IconPositions saved;
        std::vector<std::string> forget{awkwardNames[0]};
        for (std::size_t i = 1; i < awkwardNames.size(); ++i)
            saved.set(awkwardNames[i], {static_cast<int64_t>(100 * i), -static_cast<int64_t>(7 * i)});
        caja.write(saved, forget);
        for (const auto& name : awkwardNames) {
            test::writeFile(store / name, name);
            fs::rename(store / name, desktop / name);
        }
        EXPECT_EQ(caja.read(awkwardNames), saved);
        EXPECT_TRUE(GvfsIconHost("nemo", desktop).read(awkwardNames).empty()) << "nemo keeps its own key";
    }
}

TEST(GvfsMetadata, PositionTextsAreReadAsTheHostsWriteThem) {
    const struct {
        std::string text;
        std::optional<IconPosition> position;
    } cases[] = {
        {"64,182", IconPosition{64, 182}},
        {" 12 , -3 ", IconPosition{12, -3}},
        {"12", std::nullopt},
        {"a,b", std::nullopt},
        {"1,2,3", std::nullopt},
        {",", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(GvfsIconHost::parsePosition(c.text), c.position) << "\"" << c.text << "\"";
}

// An icon file as xfdesktop 4.18 writes it, for a Desktop at /home/u/Desktop.
const std::string xfdesktopFile = R"([xfdesktop-version-4.10.3+-rcfile_format]
4.10.3+=true

[/home/u/Desktop/kept.txt]
row=5
col=0

[Trash]
row=0
col=0

[/]
row=1
col=0
)";

TEST(XfdesktopIconFile, CellsWrittenAreReadBackAndEverythingElseStays) {
    const test::TempDir config;
    const fs::path file = config / "icons.screen0-1264x754.rc";
    test::writeFile(file, xfdesktopFile);
    fs::create_symlink(file, config / "icons.screen.latest.rc");
    XfdesktopIconHost host("/home/u/Desktop", config.path());
    ASSERT_EQ(host.iconFile(), file);
    EXPECT_EQ(host.layoutKey(), "xfdesktop 1264x754");

    IconPositions cells;
    for (std::size_t i = 0; i < awkwardNames.size(); ++i)
        cells.set(awkwardNames[i], {static_cast<int64_t>(i + 2), static_cast<int64_t>(2 * i)});
    host.write(cells, {"kept.txt"});
    auto names = awkwardNames;
    names.push_back("kept.txt");
    EXPECT_EQ(host.read(names), cells);
    EXPECT_TRUE(fs::is_symlink(config / "icons.screen.latest.rc")) << "the file was replaced, not the link";

    const std::string text = test::readFile(file);
    for (const auto& line :
         {"[xfdesktop-version-4.10.3+-rcfile_format]", "[Trash]", "[/]", "[/home/u/Desktop/two words.pdf]"})
        EXPECT_NE(text.find(line), std::string::npos) << line << " in\n" << text;
    EXPECT_EQ(text.find("kept.txt"), std::string::npos) << text;
}

TEST(XfdesktopIconFile, AMissingOrDamagedFileReadsAsNoPositions) {
    const struct {
        const char* what;
        std::optional<std::string> content;
    } cases[] = {
        {"no file yet", std::nullopt},
        {"binary garbage", std::string("\x00\xff\xfe[\x01=\x02\n\n]]", 12)},
        {"a cut-off group", std::string("[/home/u/Desktop/plain.txt\nrow=x\ncol=")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const test::TempDir config;
        if (c.content)
            test::writeFile(config / "icons.screen0-800x600.rc", *c.content);
        XfdesktopIconHost host("/home/u/Desktop", config.path());
        EXPECT_TRUE(host.read(awkwardNames).empty());
        if (!c.content) {
            EXPECT_THROW(host.write({{"plain.txt", {1, 1}}}, {}), IconHostError);
            continue;
        }
        host.write({{"plain.txt", {3, 4}}}, {});
        EXPECT_EQ(host.read({"plain.txt"}), (IconPositions{{"plain.txt", {3, 4}}}));
    }
}

TEST(PcmanfmItemsFile, PositionsAreReadAsPcmanfmSavesThem) {
    const struct {
        const char* what;
        std::optional<std::string> content;
        IconPositions expected;
    } cases[] = {
        {"saved items",
         "[*]\nwallpaper_mode=color\n\n[two words.pdf]\nx=120\ny=48\n\n[Über straße — 東京 "
         "✓.txt]\nx=8\ny=300\n\n",
         {{"two words.pdf", {120, 48}}, {"Über straße — 東京 ✓.txt", {8, 300}}}},
        {"an item without y", "[plain.txt]\nx=4\n", {}},
        {"no file", std::nullopt, {}},
        {"not a key file", "x=1\n\x01\x02", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const test::TempDir profile;
        if (c.content)
            test::writeFile(profile / "desktop-items-0.conf", *c.content);
        EXPECT_EQ(PcmanfmIconHost(profile / "desktop-items-0.conf").read(awkwardNames), c.expected);
    }
}

} // namespace
} // namespace tessarin
