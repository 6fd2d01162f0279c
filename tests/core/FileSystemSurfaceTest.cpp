#include "swap/FileSystemSurface.h"

#include "support/Files.h"
#include "support/TempDir.h"
#include "swap/FolderName.h"

#include <cerrno>
#include <gtest/gtest.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

using namespace tessarin;
using tessarin::test::makeTree;
using tessarin::test::TempDir;
using tessarin::test::treeSnapshot;
using Tree = std::map<std::string, std::string>;

namespace {

constexpr const char* store = "Tessarin Desktops";
const std::string layout(FileSystemSurface::layoutFileName);

FileSystemSurface surfaceIn(const TempDir& dir) {
    return {dir / "Desktop", dir / store};
}

// A surface on a file system that refuses the no-replace flag of rename.
class FlaglessSurface : public FileSystemSurface {
public:
    FlaglessSurface(std::filesystem::path desktop, std::filesystem::path root, int refusal)
        : FileSystemSurface(std::move(desktop), std::move(root)), refusal_(refusal) {}

protected:
    int renameNoReplace(int, int, const char*) override { return refusal_; }

private:
    int refusal_;
};

// The errno of a std::system_error thrown by `action`; 0 when it succeeds.
template <typename F> int errnoOf(F&& action, std::string* message = nullptr) {
    try {
        action();
        return 0;
    } catch (const std::system_error& e) {
        if (message)
            *message = e.what();
        return e.code().value();
    }
}

} // namespace

TEST(FileSystemSurface, ListsVisibleItemsInInodeOrder) {
    struct Case {
        const char* description;
        Tree tree;
        Location at;
        std::vector<std::string> expected; // sorted; the listing order itself is checked against the inodes
    } cases[] = {
        {"hidden names dropped",
         {{"Desktop/notes.txt", "n"},
          {"Desktop/" + layout, "l"},
          {"Desktop/.hidden", "h"},
          {"Desktop/Projects", "<dir>"}},
         Location::desktop(),
         {"Projects", "notes.txt"}},
        {"a desktop folder with many items",
         {{std::string(store) + "/A/b", "1"},
          {std::string(store) + "/A/a", "2"},
          {std::string(store) + "/A/c", "3"},
          {std::string(store) + "/A/.d", "4"},
          {std::string(store) + "/A/e e", "<dir>"}},
         Location::workspace("A"),
         {"a", "b", "c", "e e"}},
        {"folder never created", {{std::string(store) + "/A/x", "1"}}, Location::workspace("Ghost"), {}},
        {"store missing", {{"Desktop/x", "1"}}, Location::workspace("A"), {}},
        {"Desktop missing", {}, Location::desktop(), {}},
        {"location is a file",
         {{std::string(store) + "/Plain", "not a folder"}},
         Location::workspace("Plain"),
         {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.description);
        TempDir dir;
        makeTree(dir.path(), c.tree);
        auto surface = surfaceIn(dir);
        const auto listed = surface.items(c.at);

        auto sorted = listed;
        std::sort(sorted.begin(), sorted.end());
        EXPECT_EQ(sorted, c.expected);

        std::vector<ino_t> inodes;
        for (const auto& name : listed) {
            struct stat info {};
            ASSERT_EQ(::lstat((surface.folder(c.at) / name).c_str(), &info), 0) << name;
            inodes.push_back(info.st_ino);
        }
        EXPECT_TRUE(std::is_sorted(inodes.begin(), inodes.end()));
    }
}

namespace {

// "" for the Desktop, else the desktop of that name.
Location at(const std::string& place) {
    return place.empty() ? Location::desktop() : Location::workspace(place);
}

// The tree without the folders that hold something, which the entries under them imply.
Tree leaves(const Tree& tree) {
    Tree result;
    for (const auto& [path, content] : tree) {
        const auto inside = tree.lower_bound(path + "/");
        if (content != "<dir>" || inside == tree.end() || !inside->first.starts_with(path + "/"))
            result.emplace(path, content);
    }
    return result;
}

// The folder of a place as at() takes it, relative to the test's folder.
std::string folderOf(const std::string& place) {
    return place.empty() ? "Desktop" : std::string(store) + "/" + place;
}

struct MoveCase {
    const char* description;
    Tree before;
    std::string name;
    std::string from, to; // as at() takes them
    int expectedErrno;    // 0: the item and all inside it are found at the destination, else nothing moved
};

// `batched`: the move is made inside a MoveBatch whose folders were opened by an earlier move.
void runMoveCases(const std::vector<MoveCase>& cases, int refusal, bool batched) {
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.description) + " (refusal " + std::to_string(refusal) +
                     (batched ? ", in a batch)" : ")"));
        TempDir dir;
        makeTree(dir.path(), c.before);
        // What the tree must be: the destination folder is made before the move is tried.
        Tree expected;
        const std::string source = folderOf(c.from) + "/" + c.name;
        for (const auto& [path, content] : treeSnapshot(dir.path())) {
            const bool moves = c.expectedErrno == 0 && (path == source || path.starts_with(source + "/"));
            expected.emplace(moves ? folderOf(c.to) + "/" + c.name + path.substr(source.size()) : path,
                             content);
        }
        expected.emplace(folderOf(c.to), "<dir>");

        FlaglessSurface flagless(dir / "Desktop", dir / store, refusal);
        FileSystemSurface plain = surfaceIn(dir);
        FileSystemSurface& surface = refusal ? flagless : plain;
        std::optional<MoveBatch> batch;
        if (batched) {
            batch.emplace(surface);
            EXPECT_NE(errnoOf([&] { surface.move("not there", at(c.from), at(c.to)); }), 0);
        }
        EXPECT_EQ(errnoOf([&] { surface.move(c.name, at(c.from), at(c.to)); }), c.expectedErrno);
        batch.reset();
        EXPECT_EQ(leaves(treeSnapshot(dir.path())), leaves(expected));
    }
}

const std::string A = std::string(store) + "/A";
const std::string B = std::string(store) + "/B";

} // namespace

// Every way of moving runs the same cases: with the no-replace flag, without it (each refusal the
// kernel may give), and inside a batch. Only a folder needs the flag to move safely.
TEST(FileSystemSurface, MoveNeverReplacesAnExistingItem) {
    const std::vector<MoveCase> common{
        {"into a desktop with no folder nor store yet", {{"Desktop/f", "f"}}, "f", "", "A", 0},
        {"onto the Desktop holding that name", {{"Desktop/x", "1"}, {B + "/x", "2"}}, "x", "B", "", EEXIST},
        {"a link travels as a link", {{"Desktop/link", "-> /nonexistent"}, {A, "<dir>"}}, "link", "", "A", 0},
        {"a missing source item", {{"Desktop/other", "o"}}, "gone", "", "A", ENOENT},
        {"into the pinned stash", {{"Desktop/P", "pinned"}}, "P", "", ".pinned", 0},
        {"a hidden item can be moved by name", {{"Desktop/.secret", "s"}}, ".secret", "", "A", 0},
    };
    const Tree folder{{"Desktop/Stuff/inner.txt", "inner"}, {"Desktop/Stuff/deep/er", "er"}};
    // A plain rename would replace the empty folder of the same name.
    const Tree onEmptyFolder{{"Desktop/Stuff/inner.txt", "inner"}, {A + "/Stuff", "<dir>"}};
    const std::vector<MoveCase> withFlag{
        {"a folder onto an empty folder of its name", onEmptyFolder, "Stuff", "", "A", EEXIST},
        {"a folder with its contents into a new desktop folder", folder, "Stuff", "", "B", 0},
    };
    const std::vector<MoveCase> withoutFlag{
        {"a folder can't be moved safely and stays", folder, "Stuff", "", "A", EOPNOTSUPP},
    };
    struct Mode {
        int refusal;
        bool batched;
        std::vector<MoveCase> folders;
    } modes[] = {{0, false, withFlag},
                 {EINVAL, false, withoutFlag},
                 {ENOSYS, false, withoutFlag},
                 {EOPNOTSUPP, false, withoutFlag},
                 {0, true, {}},
                 {EINVAL, true, {}}};
    for (const auto& m : modes) {
        auto cases = common;
        cases.insert(cases.end(), m.folders.begin(), m.folders.end());
        runMoveCases(cases, m.refusal, m.batched);
    }
}

namespace {

int openDescriptors() {
    int count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator("/proc/self/fd"))
        ++count;
    return count;
}

} // namespace

// A batch opens each folder once and the outermost end closes them; a folder that goes away in the
// middle of a batch fails the next move into it, and the item stays where it was.
TEST(FileSystemSurface, ABatchKeepsItsFoldersUntilItsOutermostEnd) {
    TempDir dir;
    Tree tree;
    for (int i = 0; i < 50; ++i)
        tree["Desktop/a" + std::to_string(i)] = "a";
    tree[B + "/b"] = "b";
    makeTree(dir.path(), tree);
    auto surface = surfaceIn(dir);
    const int before = openDescriptors();
    {
        MoveBatch outer(surface);
        {
            MoveBatch inner(surface);
            for (int i = 0; i < 50; ++i)
                surface.move("a" + std::to_string(i), Location::desktop(), Location::workspace("A"));
            surface.move("b", Location::workspace("B"), Location::desktop());
        }
        EXPECT_EQ(openDescriptors(), before + 3) << "the Desktop, A and B, each once";
        EXPECT_EQ(surface.items(Location::workspace("A")).size(), 50u);

        std::filesystem::rename(dir / A, dir / "elsewhere");
        std::filesystem::remove_all(dir / "elsewhere");
        makeTree(dir.path(), {{"Desktop/late", "l"}});
        EXPECT_EQ(errnoOf([&] { surface.move("late", Location::desktop(), Location::workspace("A")); }),
                  ENOENT);
        EXPECT_EQ(test::readFile(dir / "Desktop/late"), "l");
    }
    EXPECT_EQ(openDescriptors(), before);
    // Outside the batch the folder is looked up afresh, and made again.
    surface.move("late", Location::desktop(), Location::workspace("A"));
    EXPECT_EQ(test::readFile(dir / A / "late"), "l");
    EXPECT_EQ(openDescriptors(), before);
}

TEST(FileSystemSurface, MoveErrorsNameTheItemAndThePlace) {
    TempDir dir;
    makeTree(dir.path(),
             {{"Desktop/NAME", "1"}, {B + "/NAME", "2"}, {A + "/Folder/f", "3"}, {B + "/Folder", "<dir>"}});
    auto surface = surfaceIn(dir);
    FlaglessSurface flagless(dir / "Desktop", dir / store, EINVAL);
    struct Case {
        DesktopSurface& surface;
        std::string name;
        Location from;
        Location to;
        const char* expected;
    } cases[] = {
        {surface, "NAME", Location::desktop(), Location::workspace("B"),
         "Couldn't move \u201cNAME\u201d to the desktop \u201cB\u201d: File exists"},
        {surface, "NAME", Location::workspace("B"), Location::desktop(),
         "Couldn't move \u201cNAME\u201d to the Desktop: File exists"},
        {flagless, "NAME", Location::desktop(), Location::workspace("B"),
         "Couldn't move \u201cNAME\u201d to the desktop \u201cB\u201d: File exists"},
        {flagless, "Folder", Location::workspace("A"), Location::workspace("C"),
         "Couldn't move the folder \u201cFolder\u201d to the desktop \u201cC\u201d without risking replacing "
         "an "
         "item there: Operation not supported"},
    };
    for (const auto& c : cases) {
        std::string message;
        EXPECT_NE(errnoOf([&] { c.surface.move(c.name, c.from, c.to); }, &message), 0);
        EXPECT_EQ(message, c.expected);
    }
}

TEST(FileSystemSurface, CarriesTheLayoutFileReplacingTheOneThere) {
    const std::string onDesktop = "Desktop/" + layout, inA = A + "/" + layout;
    struct Case {
        const char* description;
        Tree before;
        std::string from, to; // as at() takes them
        int expectedErrno;
        Tree after; // the tree's leaves; empty: unchanged
    } cases[] = {
        {"onto an old layout",
         {{onDesktop, "new"}, {"Desktop/x", "x"}, {inA, "old"}},
         "",
         "A",
         0,
         {{"Desktop/x", "x"}, {inA, "new"}}},
        {"no layout file: nothing happens, no folder is made", {{"Desktop/x", "x"}}, "", "A", 0, {}},
        {"into a folder not made yet",
         {{onDesktop, "new"}},
         "",
         "B",
         0,
         {{"Desktop", "<dir>"}, {B + "/" + layout, "new"}}},
        {"onto the Desktop",
         {{inA, "A's"}, {onDesktop, "stale"}},
         "A",
         "",
         0,
         {{onDesktop, "A's"}, {A, "<dir>"}}},
        {"the destination can't take it: a generic write error, the source stays",
         {{onDesktop, "new"}, {inA + "/blocker", "b"}},
         "",
         "A",
         EIO,
         {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.description);
        TempDir dir;
        makeTree(dir.path(), c.before);
        const Tree before = treeSnapshot(dir.path());
        auto surface = surfaceIn(dir);
        EXPECT_EQ(errnoOf([&] { surface.carryPositions(at(c.from), at(c.to)); }), c.expectedErrno);
        if (c.after.empty())
            EXPECT_EQ(treeSnapshot(dir.path()), before);
        else
            EXPECT_EQ(leaves(treeSnapshot(dir.path())), c.after);
    }
}

TEST(FileSystemSurface, RefusesNamesThatAreNotOnePlainFolderName) {
    struct NameCase {
        std::string name;
        bool plain;
    } names[] = {
        {"Work", true}, {".pinned", true}, {"...", true},  {"a b \u201cc\u201d", true},     {"", false},
        {".", false},   {"..", false},     {"a/b", false}, {std::string("a\0b", 3), false},
    };
    for (const auto& n : names) {
        SCOPED_TRACE("name \"" + n.name + "\"");
        EXPECT_EQ(isPlainFolderName(n.name), n.plain);
        if (n.plain)
            continue;

        TempDir dir;
        makeTree(dir.path(), {{"Desktop/x", "x"}, {"Desktop/" + layout, "l"}, {A + "/y", "y"}});
        const Tree before = treeSnapshot(dir.path());
        auto surface = surfaceIn(dir);
        const auto bad = Location::workspace(n.name);
        EXPECT_THROW(surface.items(bad), std::invalid_argument);
        EXPECT_THROW(surface.move("x", Location::desktop(), bad), std::invalid_argument);
        EXPECT_THROW(surface.move("y", bad, Location::desktop()), std::invalid_argument);
        EXPECT_THROW(surface.carryPositions(Location::desktop(), bad), std::invalid_argument);
        EXPECT_THROW(surface.carryPositions(bad, Location::desktop()), std::invalid_argument);
        // Item names are held to the same rule.
        EXPECT_THROW(surface.move(n.name, Location::workspace("A"), Location::workspace("B")),
                     std::invalid_argument);
        EXPECT_EQ(treeSnapshot(dir.path()), before);
    }
}

TEST(FileSystemSurface, SameVolumeNeedsBothFoldersOnOneDevice) {
    struct Case {
        const char* description;
        Tree tree;
        bool expected;
    } cases[] = {
        {"both folders exist", {{"Desktop", "<dir>"}, {store, "<dir>"}}, true},
        {"store folder missing", {{"Desktop", "<dir>"}}, false},
        {"Desktop missing", {{store, "<dir>"}}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.description);
        TempDir dir;
        makeTree(dir.path(), c.tree);
        const Tree before = treeSnapshot(dir.path());
        FileSystemSurface surface(dir / "Desktop", dir / store);
        EXPECT_EQ(surface.sameVolume(), c.expected);
        EXPECT_EQ(treeSnapshot(dir.path()), before) << "construction and the test touch no file";
    }
}

TEST(FileSystemSurface, SameVolumeIsFalseAcrossDevices) {
    struct stat tmpInfo {};
    struct stat shmInfo {};
    const auto tmp = TempDir::defaultParent();
    if (::stat(tmp.c_str(), &tmpInfo) != 0 || ::stat("/dev/shm", &shmInfo) != 0 ||
        ::access("/dev/shm", W_OK) != 0)
        GTEST_SKIP() << "/dev/shm is missing or not writable here";
    if (tmpInfo.st_dev == shmInfo.st_dev)
        GTEST_SKIP() << "/dev/shm is on the same device as " << tmp
                     << ", so there is no second device to use";

    TempDir desktopSide;
    TempDir storeSide("/dev/shm");
    FileSystemSurface surface(desktopSide.path(), storeSide.path());
    EXPECT_FALSE(surface.sameVolume());

    // And a move between the two is refused rather than copied.
    test::writeFile(desktopSide / "x", "x");
    EXPECT_EQ(errnoOf([&] { surface.move("x", Location::desktop(), Location::workspace("A")); }), EXDEV);
    EXPECT_EQ(test::readFile(desktopSide / "x"), "x");
}
