// Every refusal of the archiver (archive, pour, restore, delete) with its exact text, in the order the
// checks come: nothing on disk or in the document changes. The settings model and the command line only
// check that they refused.
#include "support/World.h"

#include <gtest/gtest.h>

namespace tessarin {
namespace {

using test::World;
using Kind = ArchiveError::Kind;

struct Refusal {
    std::optional<Kind> kind; // none for a deletion, which reports rather than throws
    std::string text;
};

Refusal refusalOf(const std::function<void()>& operation) {
    const auto error = test::errorOf(operation);
    return error ? Refusal{error->kind(), error->what()} : Refusal{};
}

TEST(ArchiverRefusals, EachNamesItsReasonAndChangesNothing) {
    const std::string onlyTemporary = "Only temporary desktops can be archived. Set \u201c";
    const std::string eio = std::system_category().message(EIO);
    struct Case {
        const char* what;
        std::function<void(World&)> setUp;
        std::function<Refusal(World&)> operation;
        std::optional<Kind> kind;
        std::string text; // as test::expectText takes it
    } cases[] = {
        {"archiving a permanent desktop",
         {},
         [](World& w) { return refusalOf([&] { w.archiver.archive("Work"); }); },
         Kind::notTemporary,
         onlyTemporary + "Work\u201d to Temporary first."},
        {"archiving the permanent desktop on the Desktop: the type is tested first",
         {},
         [](World& w) { return refusalOf([&] { w.archiver.archive("Home"); }); },
         Kind::notTemporary,
         onlyTemporary + "Home\u201d to Temporary first."},
        {"archiving an archived permanent desktop",
         {},
         [](World& w) { return refusalOf([&] { w.archiver.archive("Kept"); }); },
         Kind::notTemporary,
         onlyTemporary + "Kept\u201d to Temporary first."},
        {"archiving an archived desktop",
         {},
         [](World& w) { return refusalOf([&] { w.archiver.archive("Old"); }); },
         Kind::alreadyArchived,
         "\u201cOld\u201d is already archived."},
        {"archiving the desktop on the Desktop",
         [](World& w) { w.elsewhere([](Config& c) { c.activeWorkspace = "Notes"; }); },
         [](World& w) { return refusalOf([&] { w.archiver.archive("Notes"); }); }, Kind::isActiveDesktop,
         "\u201cNotes\u201d is the active desktop. Switch to another first, then archive it."},
        {"archiving where the archive folder can't be made",
         [](World& w) {
             w.put(w.home / "Blocked");
             w.elsewhere([&](Config& c) { c.settings.archiveRoot = (w.home / "Blocked/Archive").string(); });
         },
         [](World& w) { return refusalOf([&] { w.archiver.archive("Notes"); }); }, Kind::filesystem,
         "~Couldn't create the archive folder: "},
        {"archiving when the folder can't be moved",
         [](World& w) { w.files.moveFault = [](auto&, auto&) { return EIO; }; },
         [](World& w) { return refusalOf([&] { w.archiver.archive("Notes"); }); }, Kind::filesystem,
         "Couldn't move the folder: " + eio},
        {"archiving into a folder on another file system (/proc)",
         [](World& w) { w.elsewhere([](Config& c) { c.settings.archiveRoot = "/proc/self/fdinfo"; }); },
         [](World& w) { return refusalOf([&] { w.archiver.archive("Notes"); }); }, Kind::crossVolume,
         "The archive folder is on a different disk. Choose one on the same disk as your workspaces "
         "(Settings "
         "\u25b8 Scheduler)."},
        {"pouring a permanent desktop",
         {},
         [](World& w) { return refusalOf([&] { w.archiver.drain("Work", "Home"); }); },
         Kind::notTemporary,
         onlyTemporary + "Work\u201d to Temporary first."},
        {"pouring an archived desktop",
         {},
         [](World& w) { return refusalOf([&] { w.archiver.drain("Old", "Home"); }); },
         Kind::alreadyArchived,
         "\u201cOld\u201d is already archived."},
        {"pouring the desktop on the Desktop, even into itself",
         [](World& w) { w.elsewhere([](Config& c) { c.activeWorkspace = "Notes"; }); },
         [](World& w) { return refusalOf([&] { w.archiver.drain("Notes", "Notes"); }); },
         Kind::isActiveDesktop,
         "\u201cNotes\u201d is the active desktop. Switch to another first, then archive it."},
        {"pouring into itself",
         {},
         [](World& w) { return refusalOf([&] { w.archiver.drain("Notes", "Notes"); }); },
         Kind::drainIntoItself,
         "A desktop can't move into itself."},
        {"pouring into nothing",
         {},
         [](World& w) { return refusalOf([&] { w.archiver.drain("Notes", "Gone"); }); },
         Kind::targetMissing,
         "\u201cGone\u201d no longer exists, so there's nowhere to move into."},
        {"pouring into an archived desktop",
         {},
         [](World& w) { return refusalOf([&] { w.archiver.drain("Notes", "Old"); }); },
         Kind::targetNotPermanent,
         "A scratch desktop can only move into a live permanent desktop. \u201cOld\u201d isn't one."},
        {"pouring into a temporary desktop",
         {},
         [](World& w) { return refusalOf([&] { w.archiver.drain("Notes", "Scratch"); }); },
         Kind::targetNotPermanent,
         "A scratch desktop can only move into a live permanent desktop. \u201cScratch\u201d isn't one."},
        {"restoring over a folder of that name", [](World& w) { w.put(w.folder("Trip") / "new.txt"); },
         [](World& w) { return refusalOf([&] { w.archiver.restore("Trip"); }); }, Kind::filesystem,
         "A folder named \u201cTrip\u201d already exists in the workspace store \u2014 move it aside first."},
        {"restoring when the folder can't be moved back",
         [](World& w) { w.files.moveFault = [](auto&, auto&) { return EIO; }; },
         [](World& w) { return refusalOf([&] { w.archiver.restore("Trip"); }); }, Kind::filesystem,
         "Couldn't move the folder back: " + eio},
        {"deleting the desktop on the Desktop",
         {},
         [](World& w) {
             return Refusal{{}, w.archiver.deleteWorkspace("Home", false).errorMessage.value_or("")};
         },
         {},
         "\u201cHome\u201d is the active desktop. Switch to another first."},
        {"deleting during a switch",
         {},
         [](World& w) {
             return Refusal{{}, w.archiver.deleteWorkspace("Notes", true).errorMessage.value_or("")};
         },
         {},
         "Tessarin is mid-switch. Try again in a moment."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        World w;
        Workspace kept = Workspace::make("Kept");
        kept.state = WorkspaceState::archivedSorted;
        w.document({Workspace::make("Work"), World::temporary("Notes"), World::temporary("Scratch"),
                    World::temporary("Trip"), World::archived("Old"), kept});
        w.put(w.folder("Notes") / "a.txt");
        w.archiver.archive("Trip");
        if (c.setUp)
            c.setUp(w);
        const auto before = test::treeSnapshot(w.home.path());

        const Refusal refusal = c.operation(w);
        EXPECT_EQ(refusal.kind, c.kind);
        test::expectText(refusal.text, c.text);
        EXPECT_EQ(test::treeSnapshot(w.home.path()), before);
        EXPECT_TRUE(w.files.trashed.empty());
    }
}

} // namespace
} // namespace tessarin
