// Items of the same name in two places: a switch that would have to move one over the other is refused
// before anything moves, and a journal left by a crash between two desktops that share names is always
// finished, never wedged, with every item kept.
#include "support/World.h"

#include <gtest/gtest.h>

using namespace tessarin;
using test::World;
using Tree = std::map<std::string, std::string>;
namespace fs = std::filesystem;

namespace {

const std::string blank(Config::blankWorkspaceName);

Tree folder(const fs::path& dir) {
    return fs::exists(dir) ? test::treeSnapshot(dir) : Tree{};
}

void expectRefusedNaming(World& w, const std::string& target, const std::string& name) {
    try {
        w.swapper.switchTo(target);
        ADD_FAILURE() << "switch went ahead";
    } catch (const SwapError& e) {
        EXPECT_EQ(e.kind(), SwapError::Kind::nameClash);
        EXPECT_NE(std::string(e.what()).find("\u201c" + name + "\u201d"), std::string::npos) << e.what();
    } catch (const std::invalid_argument& e) {
        EXPECT_NE(std::string(e.what()).find(name), std::string::npos) << e.what();
    }
}

} // namespace

TEST(SwapClash, RefusalsComeBeforeTheFirstMove) {
    struct Case {
        std::string what;
        std::string target;
        std::string expand;     // lastExpandedWorkspace while the Desktop is hidden
        std::string strayName;  // put on the hidden Desktop
        std::string inA, inB;   // an item each desktop's folder already holds
        std::string refusedFor; // the name the refusal gives
    } cases[] = {
        {"showing a desktop that holds a stray's name", "A", "A", "notes", "notes", "", "notes"},
        {"a stray the deposit can't take and the target holds", "B", "A", "notes", "notes", "notes", "notes"},
        {"a stray the target holds, deposited elsewhere", "B", "A", "notes", "", "notes", ""},
        {"a stray the deposit can't take, target without it", "B", "A", "notes", "notes", "", ""},
        {"a target item whose name can't be recorded", "B", "A", "", "", "caf\xE9", "caf\uFFFD"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        World w;
        w.document(blank, {"A", "B"}, {"P"});
        Config doc = w.store.loadConfig();
        doc.lastExpandedWorkspace = c.expand;
        w.store.saveConfig(doc);
        w.item(w.folder(".pinned"), "P", "pinned");
        w.item(w.folder("A"), "a1", "A:a1");
        w.item(w.folder("B"), "b1", "B:b1");
        if (!c.strayName.empty())
            w.item(w.paths.desktop, c.strayName, "stray");
        if (!c.inA.empty())
            w.item(w.folder("A"), c.inA, "A:" + c.inA);
        if (!c.inB.empty())
            w.item(w.folder("B"), c.inB, "B:" + c.inB);
        const Tree before = w.disk();
        const std::string document = test::readFile(w.paths.config);

        if (!c.refusedFor.empty()) {
            expectRefusedNaming(w, c.target, c.refusedFor);
            EXPECT_EQ(w.disk(), before) << "the pinned stash and the deposit moved nothing either";
            EXPECT_EQ(test::readFile(w.paths.config), document);
            EXPECT_FALSE(w.store.loadJournal());
            continue;
        }
        // Allowed: every item is kept, the stray either deposited or joining the target.
        ASSERT_NO_THROW(w.swapper.switchTo(c.target));
        std::multiset<std::string> contents, expected;
        for (const auto& [path, content] : w.disk())
            if (content != "<dir>")
                contents.insert(content);
        for (const auto& [path, content] : before)
            if (content != "<dir>")
                expected.insert(content);
        EXPECT_EQ(contents, expected);
        EXPECT_EQ(test::readFile(w.paths.desktop / "P"), "pinned");
        EXPECT_EQ(test::readFile(w.paths.desktop / "b1"), "B:b1");
    }
}

TEST(SwapClash, JournalsBetweenDesktopsSharingNamesAreFinishedWherePreviousAttemptsStopped) {
    // A -> B where both hold "notes" and "todo": each case is the disk as a crash left it.
    const Journal journal{"A", "B", {"notes", "todo", "a1"}, {"notes", "todo", "b1"}};
    const Tree allA{{"notes", "A:notes"}, {"todo", "A:todo"}, {"a1", "A:a1"}};
    const Tree allB{{"notes", "B:notes"}, {"todo", "B:todo"}, {"b1", "B:b1"}};
    struct Case {
        std::string what;
        Tree desktop, a, b;
        Tree wantDesktop, wantA, wantB;
    } cases[] = {
        {"nothing moved yet", allA, {}, allB, allB, allA, {}},
        {"one outgoing item moved",
         {{"todo", "A:todo"}, {"a1", "A:a1"}},
         {{"notes", "A:notes"}},
         allB,
         allB,
         allA,
         {}},
        {"outgoing phase done", {}, allA, allB, allB, allA, {}},
        {"a shared name already came in",
         {{"notes", "B:notes"}},
         allA,
         {{"todo", "B:todo"}, {"b1", "B:b1"}},
         allB,
         allA,
         {}},
        {"every item moved, document not yet saved", allB, allA, {}, allB, allA, {}},
        // Someone put an item named like an incoming one on the Desktop: it is never overwritten.
        {"a stranger took an incoming name",
         {{"b1", "stranger"}},
         allA,
         allB,
         {{"notes", "B:notes"}, {"todo", "B:todo"}, {"b1", "stranger"}},
         allA,
         {{"b1", "B:b1"}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        World w;
        w.document("A", {"A", "B"});
        for (const auto& [name, content] : c.desktop)
            w.item(w.paths.desktop, name, content);
        for (const auto& [name, content] : c.a)
            w.item(w.folder("A"), name, content);
        for (const auto& [name, content] : c.b)
            w.item(w.folder("B"), name, content);
        w.store.saveJournal(journal);

        ASSERT_NO_THROW(w.swapper.recoverIfNeeded());
        EXPECT_FALSE(w.store.loadJournal());
        EXPECT_EQ(w.store.loadConfig().activeWorkspace, "B");
        EXPECT_EQ(folder(w.paths.desktop), c.wantDesktop);
        EXPECT_EQ(folder(w.folder("A")), c.wantA);
        EXPECT_EQ(folder(w.folder("B")), c.wantB);
        // Leaving B again moves B's items back; a stranger's name clash is named instead.
        if (c.wantB.empty()) {
            EXPECT_NO_THROW(w.swapper.switchTo("A"));
            EXPECT_EQ(folder(w.paths.desktop), allA);
        } else {
            expectRefusedNaming(w, "A", "b1");
        }
    }
}
