#include "support/Utf8.h"
#include "support/World.h"

#include <gtest/gtest.h>

using namespace tessarin;
using test::World;
using Names = std::set<std::string>;
namespace fs = std::filesystem;

namespace {
const std::string blank(Config::blankWorkspaceName);
}

TEST(DesktopSwapper, SwitchMovesBothWaysAndKeepsPinnedItems) {
    World w;
    w.document("A", {"A", "B"}, {"P"});
    w.item(w.paths.desktop, "a1");
    w.item(w.paths.desktop, "a2");
    fs::create_directories(w.paths.desktop / "P");
    w.item(w.folder("B"), "b1");
    w.item(w.folder("B"), "P", "B's own P");

    const auto skips = w.swapper.switchTo("B");
    EXPECT_EQ(skips, std::vector<std::string>{"P"});
    EXPECT_EQ(w.desktop(), (Names{"P", "b1"}));
    EXPECT_TRUE(fs::is_directory(w.paths.desktop / "P"));
    EXPECT_EQ(w.in("A"), (Names{"a1", "a2"}));
    EXPECT_EQ(w.in("B"), Names{"P"});
    EXPECT_EQ(test::readFile(w.folder("B") / "P"), "B's own P");

    const Config c = w.store.loadConfig();
    EXPECT_EQ(c.activeWorkspace, "B");
    EXPECT_EQ(Names(c.findWorkspace("A")->files.begin(), c.findWorkspace("A")->files.end()),
              (Names{"a1", "a2"}));
    EXPECT_EQ(c.findWorkspace("B")->files, std::vector<std::string>{"b1"});
    EXPECT_EQ(w.store.loadJournal(), std::nullopt);
}

TEST(DesktopSwapper, SwitchingToTheActiveDesktopWritesNothingAndUnknownTargetsAreRefused) {
    World w;
    w.document("A", {"A", "B"});
    w.item(w.paths.desktop, "a1");
    const std::string before = test::readFile(w.paths.config);
    EXPECT_TRUE(w.swapper.switchTo("A").empty());
    EXPECT_EQ(test::readFile(w.paths.config), before);
    EXPECT_EQ(w.desktop(), Names{"a1"});

    try {
        w.swapper.switchTo("Nope");
        FAIL();
    } catch (const SwapError& e) {
        EXPECT_EQ(e.kind(), SwapError::Kind::unknownWorkspace);
        EXPECT_EQ(e.name(), "Nope");
    }
    EXPECT_EQ(test::readFile(w.paths.config), before);
    EXPECT_EQ(w.desktop(), Names{"a1"});
    EXPECT_FALSE(fs::exists(w.paths.journal));
}

TEST(DesktopSwapper, HideAndShowParkPinnedItemsInTheStash) {
    World w;
    w.document("A", {"A", "B"}, {"P"});
    w.item(w.paths.desktop, "a1");
    w.item(w.paths.desktop, "P");

    EXPECT_TRUE(w.swapper.switchTo(blank).empty());
    EXPECT_EQ(w.desktop(), Names{});
    EXPECT_EQ(w.in(".pinned"), Names{"P"});
    EXPECT_EQ(w.in("A"), Names{"a1"});

    // Items dropped on the hidden Desktop go to the desktop that showing would bring back...
    w.item(w.paths.desktop, "dropped");
    w.store.saveConfig([&] {
        Config c = w.store.loadConfig();
        c.lastExpandedWorkspace = "A";
        return c;
    }());
    w.swapper.switchTo("B");
    EXPECT_EQ(w.desktop(), Names{"P"});
    EXPECT_EQ(w.in(".pinned"), Names{});
    EXPECT_EQ(w.in("A"), (Names{"a1", "dropped"}));
    const auto files = w.store.loadConfig().findWorkspace("A")->files;
    EXPECT_NE(std::find(files.begin(), files.end(), "dropped"), files.end());

    // ...and join the target when the target is that desktop.
    w.swapper.switchTo(blank);
    w.item(w.paths.desktop, "dropped2");
    w.swapper.switchTo("A");
    EXPECT_EQ(w.desktop(), (Names{"P", "a1", "dropped", "dropped2"}));
}

TEST(DesktopSwapper, CollisionInTheOutgoingFolderIsRefusedUntilResolved) {
    World w;
    w.document("A", {"A", "B"});
    w.item(w.paths.desktop, "a1", "desktop a1");
    w.item(w.paths.desktop, "a2");
    w.item(w.folder("A"), "a1", "stranger in A");
    w.item(w.folder("B"), "b1");

    // Refused before anything moves, naming the item; every later attempt is refused the same way.
    for (int attempt = 0; attempt < 2; ++attempt) {
        try {
            w.swapper.switchTo("B");
            ADD_FAILURE() << "switch went ahead";
        } catch (const SwapError& e) {
            EXPECT_EQ(e.kind(), SwapError::Kind::nameClash);
            EXPECT_EQ(e.clashes(), std::vector<std::string>{"a1"});
        }
        EXPECT_FALSE(w.store.loadJournal().has_value());
        EXPECT_EQ(w.desktop(), (Names{"a1", "a2"}));
        EXPECT_EQ(test::readFile(w.paths.desktop / "a1"), "desktop a1");
        EXPECT_EQ(test::readFile(w.folder("A") / "a1"), "stranger in A");
        EXPECT_EQ(w.store.loadConfig().activeWorkspace, "A");
    }

    fs::rename(w.folder("A") / "a1", w.home / "rescued");
    EXPECT_NO_THROW(w.swapper.switchTo("B"));
    EXPECT_EQ(w.desktop(), Names{"b1"});
    EXPECT_EQ(w.in("A"), (Names{"a1", "a2"}));
    EXPECT_EQ(test::readFile(w.folder("A") / "a1"), "desktop a1");
    EXPECT_FALSE(w.store.loadJournal());
}

TEST(DesktopSwapper, RecoveryFinishesAPartlyAppliedJournal) {
    World w;
    w.document("A", {"A", "B"});
    std::vector<std::string> outgoing;
    for (int i = 0; i < 10; ++i) {
        outgoing.push_back("a" + std::to_string(i));
        w.item(i < 3 ? w.folder("A") : w.paths.desktop, outgoing.back()); // three already moved
    }
    outgoing.push_back("left the Desktop and deleted meanwhile");
    w.item(w.folder("B"), "b1");
    w.store.saveJournal(Journal{"A", "B", outgoing, {"b1", "deleted meanwhile"}});

    w.swapper.recoverIfNeeded();
    EXPECT_EQ(w.desktop(), Names{"b1"});
    EXPECT_EQ(w.in("A").size(), 10u);
    const Config c = w.store.loadConfig();
    EXPECT_EQ(c.activeWorkspace, "B");
    EXPECT_EQ(c.findWorkspace("A")->files, outgoing);
    EXPECT_EQ(c.findWorkspace("B")->files, (std::vector<std::string>{"b1", "deleted meanwhile"}));
    EXPECT_FALSE(w.store.loadJournal());
}

TEST(DesktopSwapper, LayoutFileTravelsWithTheItems) {
    World w;
    w.document("A", {"A", "B"});
    const std::string layout(FileSystemSurface::layoutFileName);
    w.item(w.paths.desktop, "a1");
    test::writeFile(w.paths.desktop / layout, "A layout");
    test::writeFile(w.folder("B") / layout, "B layout");
    w.item(w.folder("B"), "b1");
    w.swapper.switchTo("B");
    EXPECT_EQ(test::readFile(w.folder("A") / layout), "A layout");
    EXPECT_EQ(test::readFile(w.paths.desktop / layout), "B layout");
    EXPECT_FALSE(fs::exists(w.folder("B") / layout));
}

TEST(DesktopSwapper, NamesThatWouldLeaveTheStoreAreRefusedBeforeAnythingMoves) {
    // One byte over the longest folder name, too.
    for (const std::string& bad : {std::string(".."), std::string("."), std::string("../../etc"),
                                   std::string("a/b"), std::string(256, 'n')}) {
        World w;
        w.document("A", {"A", bad});
        w.item(w.paths.desktop, "a1");
        EXPECT_THROW(w.swapper.switchTo(bad), std::invalid_argument) << bad;
        EXPECT_EQ(w.desktop(), Names{"a1"}) << bad;
        EXPECT_FALSE(fs::exists(w.paths.journal)) << bad;
        EXPECT_EQ(w.store.loadConfig().activeWorkspace, "A");
    }
}

TEST(DesktopSwapper, NamesThatAreNotUtf8StopTheSwitchBeforeAnythingMoves) {
    for (const bool onDesktop : {true, false}) {
        World w;
        w.document("A", {"A", "B"});
        const std::string latin1 = "caf\xE9.txt"; // é in Latin-1
        w.item(onDesktop ? w.paths.desktop : w.folder("B"), latin1);
        w.item(w.paths.desktop, "a1");
        w.item(w.folder("B"), "b1");
        try {
            w.swapper.switchTo("B");
            ADD_FAILURE() << "switch went ahead";
        } catch (const std::invalid_argument& e) {
            EXPECT_EQ(std::string(e.what()),
                      "\u201c"
                      "caf\uFFFD.txt\u201d has a name Tessarin can't record (it is "
                      "not valid UTF-8), so nothing was moved. Rename it and switch again.");
        }
        EXPECT_EQ(w.store.loadConfig().activeWorkspace, "A");
        EXPECT_FALSE(w.store.loadJournal());
        EXPECT_TRUE(fs::exists((onDesktop ? w.paths.desktop : w.folder("B")) / latin1));
        EXPECT_TRUE(fs::exists(w.paths.desktop / "a1"));

        fs::rename((onDesktop ? w.paths.desktop : w.folder("B")) / latin1,
                   (onDesktop ? w.paths.desktop : w.folder("B")) / "café.txt");
        EXPECT_NO_THROW(w.swapper.switchTo("B"));
    }
}

TEST(Utf8, ValidityTable) {
    struct Case {
        std::string text;
        bool valid;
    } cases[] = {
        {"plain", true},
        {"caf\xC3\xA9", true},
        {"\xF0\x9F\x98\x80", true},
        {"caf\xE9", false},
        {"\xC0\xAF", false},
        {"\xED\xA0\x80", false},
        {"\xF4\x90\x80\x80", false},
        {"\xE2\x82", false},
        {std::string("a\0b", 3), true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(isValidUtf8(c.text), c.valid) << c.text;
}
