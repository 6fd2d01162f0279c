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

using Operation = std::function<Refusal(World&)>;

Operation archive(const std::string& name) {
    return [=](World& w) { return refusalOf([&] { w.archiver.archive(name); }); };
}
Operation pour(const std::string& name, const std::string& into) {
    return [=](World& w) { return refusalOf([&] { w.archiver.drain(name, into); }); };
}
Operation restore(const std::string& name) {
    return [=](World& w) { return refusalOf([&] { w.archiver.restore(name); }); };
}
Operation remove(const std::string& name, bool switching) {
    return [=](World& w) {
        return Refusal{{}, w.archiver.deleteWorkspace(name, switching).errorMessage.value_or("")};
    };
}
void asBuilt(World&) {}
void notesOnTheDesktop(World& w) {
    w.elsewhere([](Config& c) { c.activeWorkspace = "Notes"; });
}
void movesFail(World& w) {
    w.files.moveFault = [](auto&, auto&) { return EIO; };
}
std::string temporaryFirst(const std::string& name) {
    return "Only temporary desktops can be archived. Set \u201c" + name + "\u201d to Temporary first.";
}
std::string notLivePermanent(const std::string& name) {
    return "A scratch desktop can only move into a live permanent desktop. \u201c" + name +
           "\u201d isn't one.";
}

TEST(ArchiverRefusals, EachNamesItsReasonAndChangesNothing) {
    const std::string eio = std::system_category().message(EIO);
    const std::string notesActive =
        "\u201cNotes\u201d is the active desktop. Switch to another first, then archive it.";
    struct Case {
        const char* what;
        std::function<void(World&)> setUp;
        Operation operation;
        std::optional<Kind> kind;
        std::string text; // as test::expectText takes it
    } cases[] = {
        {"archiving a permanent desktop", asBuilt, archive("Work"), Kind::notTemporary,
         temporaryFirst("Work")},
        {"archiving the permanent desktop on the Desktop: the type is tested first", asBuilt, archive("Home"),
         Kind::notTemporary, temporaryFirst("Home")},
        {"archiving an archived permanent desktop", asBuilt, archive("Kept"), Kind::notTemporary,
         temporaryFirst("Kept")},
        {"archiving an archived desktop", asBuilt, archive("Old"), Kind::alreadyArchived,
         "\u201cOld\u201d is already archived."},
        {"archiving the desktop on the Desktop", notesOnTheDesktop, archive("Notes"), Kind::isActiveDesktop,
         notesActive},
        {"archiving where the archive folder can't be made",
         [](World& w) {
             w.put(w.home / "Blocked");
             w.elsewhere([&](Config& c) { c.settings.archiveRoot = (w.home / "Blocked/Archive").string(); });
         },
         archive("Notes"), Kind::filesystem, "~Couldn't create the archive folder: "},
        {"archiving when the folder can't be moved", movesFail, archive("Notes"), Kind::filesystem,
         "Couldn't move the folder: " + eio},
        {"archiving into a folder on another file system (/proc)",
         [](World& w) { w.elsewhere([](Config& c) { c.settings.archiveRoot = "/proc/self/fdinfo"; }); },
         archive("Notes"), Kind::crossVolume,
         "The archive folder is on a different disk. Choose one on the same disk as your workspaces "
         "(Settings \u25b8 Scheduler)."},
        {"pouring a permanent desktop", asBuilt, pour("Work", "Home"), Kind::notTemporary,
         temporaryFirst("Work")},
        {"pouring an archived desktop", asBuilt, pour("Old", "Home"), Kind::alreadyArchived,
         "\u201cOld\u201d is already archived."},
        {"pouring the desktop on the Desktop, even into itself", notesOnTheDesktop, pour("Notes", "Notes"),
         Kind::isActiveDesktop, notesActive},
        {"pouring into itself", asBuilt, pour("Notes", "Notes"), Kind::drainIntoItself,
         "A desktop can't move into itself."},
        {"pouring into nothing", asBuilt, pour("Notes", "Gone"), Kind::targetMissing,
         "\u201cGone\u201d no longer exists, so there's nowhere to move into."},
        {"pouring into an archived desktop", asBuilt, pour("Notes", "Old"), Kind::targetNotPermanent,
         notLivePermanent("Old")},
        {"pouring into a temporary desktop", asBuilt, pour("Notes", "Scratch"), Kind::targetNotPermanent,
         notLivePermanent("Scratch")},
        {"restoring over a folder of that name", [](World& w) { w.put(w.folder("Trip") / "new.txt"); },
         restore("Trip"), Kind::filesystem,
         "A folder named \u201cTrip\u201d already exists in the workspace store \u2014 move it aside first."},
        {"restoring when the folder can't be moved back", movesFail, restore("Trip"), Kind::filesystem,
         "Couldn't move the folder back: " + eio},
        {"deleting the desktop on the Desktop", asBuilt, remove("Home", false), std::nullopt,
         "\u201cHome\u201d is the active desktop. Switch to another first."},
        {"deleting during a switch", asBuilt, remove("Notes", true), std::nullopt,
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
