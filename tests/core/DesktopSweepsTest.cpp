// Screenshot and rule sweeps of the Desktop through real folders.
#include "support/FaultySurface.h"
#include "support/World.h"

#include <gtest/gtest.h>

using namespace tessarin;
using test::rule;
using test::World;
using Names = std::set<std::string>;
using Lines = std::vector<std::string>;

TEST(DesktopSweeps, SweptIconsFillTheGridFromTheTopRight) {
    World w;
    w.document("A", {"A", "Screenshots"}, [](Config& c) { World::screenshotsOn(c); });
    for (int i = 1; i <= 9; ++i)
        w.item(w.paths.desktop, "Screenshot " + std::to_string(i) + ".png");
    w.item(w.paths.desktop, "notes.txt");
    w.sweeps.sweepScreenshots(w.store.loadConfig());

    EXPECT_EQ(w.desktop(), Names{"notes.txt"});
    EXPECT_EQ(w.in("Screenshots").size(), 9u);
    const Config c = w.store.loadConfig();
    const Workspace& s = *c.findWorkspace("Screenshots");
    ASSERT_EQ(s.files.size(), 9u);
    // Slots follow the listing order, whatever it is: the n-th swept name has the n-th slot.
    const std::pair<int64_t, int64_t> slots[] = {{1370, 90},  {1370, 180}, {1370, 270},
                                                 {1370, 360}, {1370, 450}, {1370, 540},
                                                 {1370, 630}, {1370, 720}, {1280, 90}};
    for (std::size_t i = 0; i < 9; ++i) {
        const IconPosition* p = s.positions.find(s.files[i]);
        ASSERT_NE(p, nullptr) << s.files[i];
        EXPECT_EQ(std::make_pair(p->x, p->y), slots[i]) << i;
    }
    EXPECT_EQ(w.sweepLog(), Lines{"swept 9 screenshot(s) into Screenshots"});
}

TEST(DesktopSweeps, ExistingEntriesKeepTheirPlacesAndCountTowardsTheNextSlot) {
    World w;
    w.document("A", {"A", "Screenshots"}, [](Config& c) {
        World::screenshotsOn(c);
        c.updateWorkspace("Screenshots", [](Workspace& s) {
            s.files = {"old.txt", "Screenshot 1.png"};
            s.positions.set("old.txt", {5, 5});
            s.positions.set("Screenshot 1.png", {7, 7});
        });
    });
    w.item(w.paths.desktop, "Screenshot 1.png"); // listed there already (a stale entry)
    w.sweeps.sweepScreenshots(w.store.loadConfig());
    w.item(w.paths.desktop, "Screenshot 2.png");
    w.sweeps.sweepScreenshots(w.store.loadConfig());

    const Workspace s = *w.store.loadConfig().findWorkspace("Screenshots");
    EXPECT_EQ(s.files, (std::vector<std::string>{"old.txt", "Screenshot 1.png", "Screenshot 2.png"}));
    EXPECT_EQ(*s.positions.find("Screenshot 1.png"), (IconPosition{7, 7}));
    EXPECT_EQ(*s.positions.find("Screenshot 2.png"), (IconPosition{1370, 270})); // third entry
}

TEST(DesktopSweeps, WhatIsNeverSwept) {
    const std::string shot = "Screenshot 2026-03-01 at 09.12.33.png";
    struct Case {
        const char* what;
        void (*change)(Config&);
        Names desktopAfter;
    } cases[] = {
        {"the sweep", [](Config&) {}, {}},
        {"filtering off", [](Config& c) { c.settings.filterScreenshots = false; }, {shot}},
        {"paused", [](Config& c) { c.settings.screenshotFilteringPaused = true; }, {shot}},
        {"no fallback", [](Config& c) { c.settings.screenshotFilenameFallback = false; }, {shot}},
        {"no target set", [](Config& c) { c.settings.screenshotsWorkspace.reset(); }, {shot}},
        {"target archived",
         [](Config& c) { c.findWorkspace("Screenshots")->state = WorkspaceState::archivedUnsorted; },
         {shot}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        World w;
        w.document("A", {"A", "Screenshots"}, [&](Config& d) {
            World::screenshotsOn(d);
            c.change(d);
        });
        w.item(w.paths.desktop, shot);
        const std::string before = test::readFile(w.paths.config);
        w.sweeps.sweepScreenshots(w.store.loadConfig());
        EXPECT_EQ(w.desktop(), c.desktopAfter);
        if (w.desktop().contains(shot)) {
            EXPECT_EQ(test::readFile(w.paths.config), before);
            EXPECT_TRUE(w.sweepLog().empty());
        }
    }
}

TEST(DesktopSweeps, ItemsThatFailToMoveStayAndOthersGoOn) {
    World w;
    test::FaultySurface faulty(w.surface);
    DesktopSweeps sweeps(faulty, w.store, w.log, w.filter);
    w.document("A", {"A", "Screenshots"}, [](Config& c) { World::screenshotsOn(c); });
    w.item(w.paths.desktop, "Screenshot 1.png");
    w.item(w.paths.desktop, "Screenshot 2.png");
    w.item(w.paths.desktop, "Screenshot 3.png");
    faulty.failMove(2, EACCES);
    sweeps.sweepScreenshots(w.store.loadConfig());
    EXPECT_EQ(w.desktop().size(), 1u);
    EXPECT_EQ(w.in("Screenshots").size(), 2u);
    const auto files = w.filesOf("Screenshots");
    EXPECT_EQ(Names(files.begin(), files.end()), w.in("Screenshots"));
    EXPECT_EQ(w.sweepLog(), Lines{"swept 2 screenshot(s) into Screenshots"}); // no word of the failure

    // The next sweep takes the one left behind.
    sweeps.sweepScreenshots(w.store.loadConfig());
    EXPECT_TRUE(w.desktop().empty());
    EXPECT_EQ(w.filesOf("Screenshots").size(), 3u);

    // Every move failing: nothing recorded, nothing logged.
    w.item(w.paths.desktop, "Screenshot 4.png");
    faulty.failMove(faulty.moveCount() + 1, EIO);
    const std::string before = test::readFile(w.paths.config);
    sweeps.sweepScreenshots(w.store.loadConfig());
    EXPECT_EQ(w.desktop(), Names{"Screenshot 4.png"});
    EXPECT_EQ(test::readFile(w.paths.config), before);

    // Other volumes: nothing is looked at.
    faulty.setSameVolume(false);
    const int listings = faulty.listingCount();
    sweeps.sweepScreenshots(w.store.loadConfig());
    EXPECT_EQ(faulty.listingCount(), listings);
    EXPECT_EQ(w.desktop(), Names{"Screenshot 4.png"});
}

TEST(DesktopSweeps, AFailingListingIsLoggedAndTheRulesGoOn) {
    World w;
    test::FaultySurface faulty(w.surface);
    DesktopSweeps sweeps(faulty, w.store, w.log, w.filter);
    w.document("A", {"A", "Screenshots", "Finance", "Misc"}, [](Config& c) {
        World::screenshotsOn(c);
        c.settings.customFiltersEnabled = true;
        c.settings.customFilters = {rule("tax", "Finance"), rule("misc", "Misc")};
    });
    w.item(w.paths.desktop, "Screenshot 1.png");
    w.item(w.paths.desktop, "tax.pdf");
    w.item(w.paths.desktop, "misc.txt");
    faulty.failListing(1, EIO); // the screenshot sweep
    faulty.failListing(2, EIO); // the first rule
    sweeps.sweepInOrder(w.store.loadConfig());
    EXPECT_EQ(w.desktop(), (Names{"Screenshot 1.png", "tax.pdf"}));
    EXPECT_EQ(w.in("Misc"), Names{"misc.txt"});
    EXPECT_EQ(w.sweepLog(),
              (Lines{
                  "screenshot sweep failed: Injected failure of listing #1: Input/output error",
                  "custom-filter sweep failed: Injected failure of listing #2: Input/output error",
                  "filter \u201cmisc\u201d swept 1 file(s) into Misc",
              }));
}

TEST(DesktopSweeps, RulesInListOrderAndAgainstScreenshotFiltering) {
    const std::string shot = "Screenshot 2026-03-01 at 09.12.33.png";
    struct Case {
        const char* what;
        std::string active;
        std::vector<CustomFilter> rules;
        bool overrule;
        std::vector<std::string> desktopItems;
        std::map<std::string, Names> expected; // folder -> items; "~" is the Desktop
        Lines log;
    } cases[] = {
        {"the first matching rule takes the file",
         "A",
         {rule("tax", "Finance"), rule("2024", "Archive24")},
         true,
         {"Tax 2024.pdf", "Budget 2024.xls"},
         {{"Finance", {"Tax 2024.pdf"}}, {"Archive24", {"Budget 2024.xls"}}, {"~", {}}},
         {"filter \u201ctax\u201d swept 1 file(s) into Finance",
          "filter \u201c2024\u201d swept 1 file(s) into Archive24"}},
        {"disabled, empty and stale rules sweep nothing",
         "A",
         {rule("tax", "Finance", false), rule("", "Finance"), rule("tax", "Deleted"), rule("tax", "")},
         true,
         {"tax.pdf"},
         {{"~", {"tax.pdf"}}, {"Finance", {}}},
         {}},
        {"a rule into the active desktop leaves the file for a later rule",
         "Finance",
         {rule("tax", "Finance"), rule("pdf", "Archive24")},
         true,
         {"tax.pdf", "tax.txt"},
         {{"~", {"tax.txt"}}, {"Archive24", {"tax.pdf"}}},
         {"filter \u201cpdf\u201d swept 1 file(s) into Archive24"}},
        {"screenshots overrule the rules",
         "A",
         {rule("Screenshot", "Finance")},
         true,
         {shot},
         {{"Screenshots", {shot}}, {"Finance", {}}},
         {"swept 1 screenshot(s) into Screenshots"}},
        {"rules win when screenshots do not overrule",
         "A",
         {rule("Screenshot", "Finance")},
         false,
         {shot, "Screenshot 2.png"},
         {{"Finance", {shot, "Screenshot 2.png"}}, {"Screenshots", {}}},
         {"filter \u201cScreenshot\u201d swept 2 file(s) into Finance"}},
        {"pinned items are never swept by any rule",
         "A",
         {rule("pin", "Finance")},
         true,
         {"pinned.txt", "Screenshot 9.png"},
         {{"~", {"pinned.txt", "Screenshot 9.png"}}},
         {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        World w;
        w.document(c.active, {"A", "Screenshots", "Finance", "Archive24"}, [&](Config& d) {
            World::screenshotsOn(d);
            d.settings.customFiltersEnabled = true;
            d.settings.customFilters = c.rules;
            d.settings.screenshotsOverruleCustom = c.overrule;
            d.settings.pinnedFolders = {"pinned.txt", "Screenshot 9.png"};
        });
        for (const auto& item : c.desktopItems)
            w.item(w.paths.desktop, item);
        w.sweeps.sweepInOrder(w.store.loadConfig());
        for (const auto& [folder, items] : c.expected) {
            if (folder == "~") {
                EXPECT_EQ(w.desktop(), items) << "the Desktop";
            } else {
                EXPECT_EQ(w.in(folder), items) << folder;
                const auto files = w.filesOf(folder);
                EXPECT_EQ(Names(files.begin(), files.end()), items) << folder << " in the document";
            }
        }
        EXPECT_EQ(w.sweepLog(), c.log);
    }
}
