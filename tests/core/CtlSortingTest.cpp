// The desktop, rule and setting commands of tessarinctl end to end in a throwaway home: exit statuses,
// exact messages, and the folders and document they leave.
#include "model/ConfigCodec.h"
#include "settings/NamingRules.h"
#include "support/World.h"

#include <gtest/gtest.h>

using namespace tessarin;

namespace {

using Names = std::vector<std::string>;
const std::string blank(Config::blankWorkspaceName);

// A home without a store yet, as before the first command.
struct CtlHome : test::World {
    CtlHome() : World(false) {}
    void steps(const std::vector<test::CtlStep>& steps) const { test::expectSteps(*this, steps); }
};

} // namespace

TEST(CtlSorting, DesktopCommandsAndTheirMessages) {
    CtlHome h;
    test::writeFile(h.home / "Desktop/Notes/plan.txt", "plan");
    // A name the naming rules refuse is status 1 (the rules' texts are checked with the rules).
    h.steps({
        {{"new", "Work"}, 0, "", ""},
        {{"new", "_x"}, 1, "", "~"},
        {{"--json", "new", "Scratch", "--temporary", "--idle", "3", "--move-into", "Work", "--carousel"},
         0,
         "{\"created\":\"Scratch\"}\n",
         ""},
        {{"new", "Later", "--temporary", "--fixed", "0", "--no-cleanup"}, 0, "", ""},
        {{"new", "X", "--idle", "3"}, 2, "", "~add --temporary"},
        {{"new", "X", "--temporary", "--move-into", "Work"},
         2,
         "",
         "~--move-into needs --idle DAYS or --fixed DAYS"},
        {{"new", "X", "--temporary", "--idle", "-1"}, 2, "", "~not \u201c-1\u201d"},
        {{"new", "X", "--temporary", "--idle", "1", "--fixed", "2"},
         2,
         "",
         "~Use only one of --idle and --fixed."},
        {{"new", "X", "--bogus"}, 2, "", "~Unknown option --bogus."},
        {{"new"}, 2, "", "~Usage: tessarinctl new NAME"},
        {{"rename", "Work", "archive"}, 1, "", "~"},
        {{"rename", "Nope", "X"}, 1, "", "~"},
        {{"rename", blank, "X"},
         1,
         "",
         "\u201c_Hidden Desktop\u201d is Tessarin's own blank desktop and can't be changed.\n"},
        {{"rename", "Work", "Projects"}, 0, "", ""},
        {{"type", "Projects", "temporary"}, 0, "", ""},
        {{"type", "Projects", "sometimes"}, 2, "", "Usage: tessarinctl type NAME permanent|temporary\n"},
        {{"type", "Nope", "permanent"}, 1, "", "~"},
        {{"order", "Later", "Projects"},
         1,
         "",
         "Name every live desktop once, in the new order: Default, Projects, Scratch, Later.\n"},
        {{"order", "Later", "Projects", "Scratch", "Default"}, 0, "", ""},
        {{"list"}, 0, "  Later\n  Projects\n  Scratch\n* Default\n", ""},
        {{"pin", "Notes"}, 0, "", ""},
        {{"pin", " Notes "}, 0, "\u201cNotes\u201d is already pinned.\n", ""},
        {{"pin", "nothere.txt"},
         1,
         "",
         "That item isn\u2019t on your Desktop\nPinning keeps a Desktop item in place across switches \u2014 "
         "it "
         "doesn\u2019t bring in files from elsewhere. Move it to the Desktop first, then pin it.\n"},
        {{"pin", "Notes/plan.txt"}, 1, "", "~without \u201c/\u201d"},
        {{"unpin", "Never"}, 1, "", "\u201cNever\u201d isn't pinned.\n"},
        {{"adopt", "Found"}, 1, "", "~"},
    });
    test::writeFile(h.paths.root / "Found/inside.txt", "kept");
    h.steps({{{"adopt", "Found"}, 0, "", ""}});

    const Config c = h.load();
    EXPECT_EQ(h.names(), (Names{"Later", "Projects", "Scratch", "Default", "Found", blank}));
    EXPECT_EQ(c.settings.pinnedFolders, Names{"Notes"});
    EXPECT_EQ(c.settings.optionClickCarousel, Names{"Scratch"});
    const Workspace scratch = *c.findWorkspace("Scratch");
    EXPECT_EQ(scratch.type, WorkspaceType::temporary);
    EXPECT_EQ(scratch.timer, (ArchiveTimer{ArchiveTimerMode::idle, 3}));
    EXPECT_FALSE(c.findWorkspace("Later")->createsCleanupTask);
    EXPECT_EQ(c.findWorkspace("Later")->timer, (ArchiveTimer{ArchiveTimerMode::fixed, 0}));
}

TEST(CtlSorting, TheLongestNameLeavesRoomForArchiving) {
    CtlHome h;
    const std::size_t longest = longestDesktopName(h.paths.root);
    std::string name; // in bytes: "é" takes two
    while (name.size() + 2 <= longest)
        name += "\u00e9";
    name.append(longest - name.size(), 'x');
    h.steps({
        {{"new", name + "x", "--temporary"}, 1, "", "~"},
        {{"new", name, "--temporary"}, 0, "", ""},
        {{"archive", name}, 0, "~Archived", ""},
    });
    EXPECT_EQ(h.names(), (Names{"Default", name, blank}));
}

TEST(CtlSorting, RulesSettingsAndSortNow) {
    CtlHome h;
    h.steps({
        {{"set", "screenshotFilenameFallback", "true"}, 0, "", ""},
        {{"set", "filterScreenshots", "on"}, 0, "", ""},
        {{"get", "screenshotsWorkspace"}, 0, "Screenshots\n", ""},
        {{"set", "customFiltersEnabled", "true"}, 0, "", ""},
        {{"filter", "add", "_x"}, 0, "~1 ", ""},
        {{"filter", "pattern", "1", "tax"}, 0, "", ""},
        {{"filter", "target", "1", " Finance "}, 0, "", ""},
        {{"filter", "add", "2024", "_x"}, 1, "", "~"},
        {{"filter", "add", "Report", "Finance"}, 0, "~2 ", ""},
        {{"filter", "disable", "2"}, 0, "", ""},
        {{"filter", "enable", "9"}, 1, "", "There is no rule 9. See tessarinctl filter list.\n"},
        {{"filter", "frobnicate"}, 2, "", "~Usage: tessarinctl filter list | add"},
        {{"set", "cleanupNotifyMinutes", "2000"},
         2,
         "",
         "tessarinctl set: cleanupNotifyMinutes takes a whole number of minutes after midnight, 0 to 1439, "
         "not "
         "\u201c2000\u201d.\n"},
        {{"set", "noSuchThing", "1"},
         2,
         "",
         "~tessarinctl set: unknown setting \u201cnoSuchThing\u201d. Settings: "},
        {{"get", "noSuchThing"}, 2, "", "~unknown setting"},
        {{"set", "screenshotNamePrefix", "Shot"}, 0, "", ""},
        {{"--json", "get", "screenshotNamePrefix"}, 0, "{\"screenshotNamePrefix\":\"Shot\"}\n", ""},
        // A setting the settings window does not show.
        {{"set", "moveGapMs", "25"}, 0, "", ""},
        {{"set", "switchTransition", "sweep"}, 0, "", ""},
        {{"set", "screenshotsWorkspace", "Nope"}, 1, "", "~"},
        {{"get"}, 0, "~\nmoveGapMs 25\n", ""},
        {{"--json", "get"}, 0, "~,\"switchTransition\":\"sweep\",", ""},
        {{"get", "one", "two"}, 2, "", "Usage: tessarinctl get [KEY]\n"},
    });
    const Config c = h.load();
    ASSERT_EQ(c.settings.customFilters.size(), 2u);
    EXPECT_EQ(c.settings.customFilters[0].pattern, "tax");
    EXPECT_EQ(c.settings.customFilters[0].collection, "Finance");
    EXPECT_FALSE(c.settings.customFilters[1].enabled);
    EXPECT_NE(c.findWorkspace("Finance"), nullptr);

    for (const auto* item : {"Shot 1.png", "Screenshot 1.png", "tax.pdf", "Report.txt"})
        test::writeFile(h.home / "Desktop" / item, item);
    h.steps({
        {{"sort-now"},
         0,
         "swept 1 screenshot(s) into Screenshots\nfilter \u201ctax\u201d swept 1 file(s) into Finance\n",
         ""},
        {{"--json", "sort-now"}, 0, "{\"swept\":[]}\n", ""},
        {{"filter", "remove", "2"}, 0, "", ""},
    });
    EXPECT_EQ(h.load().settings.customFilters.size(), 1u);
}

TEST(CtlSorting, CueLookAndAppearanceWithTheirLimits) {
    CtlHome h;
    const std::string sky = (h.home / "sky.png").string();
    test::writeFile(sky, "a picture");
    h.steps({
        {{"new", "Work"}, 0, "", ""},
        // Above the icons a cue lets at most 0.8 through; below them up to 1; never less than 0.05.
        {{"cue", "Work", "color", "#3366ff", "--opacity", "0.9", "--above-icons"},
         0,
         "Opacity stored as 0.8: the most a cue above the icons may have.\n",
         ""},
        {{"cue", "Work", "color", "#3366FF", "--opacity", "1.5"},
         0,
         "Opacity stored as 1: the most a cue may have.\n",
         ""},
        {{"cue", "Work", "color", "#3366FF", "--opacity", "0.01"},
         0,
         "Opacity stored as 0.05: the least a cue may have.\n",
         ""},
        {{"cue", "Work", "color", "#3366FF", "--opacity", "1"}, 0, "", ""},
        // Going above the icons lowers what was stored at once.
        {{"--json", "cue", "Work", "image", sky, "--above-icons"},
         0,
         "~\"opacity\":0.8,\"aboveIcons\":true",
         ""},
        {{"cue", "Work", "color", "blue"}, 2, "", "~The colour is written #RRGGBB, not \u201cblue\u201d."},
        {{"cue", "Work", "color", "#3366FF", "--opacity", "half"}, 2, "", "~not \u201chalf\u201d"},
        {{"cue", "Work", "off", "--opacity", "0.5"}, 2, "", "~go with color or image"},
        {{"cue", "Work", "sometimes"}, 2, "", "~Usage: tessarinctl cue NAME color HEX | image PATH | off"},
        {{"cue", "Work", "image", (h.home / "gone.png").string()}, 1, "", "~Couldn't load that image: "},
        {{"cue", blank, "off"}, 1, "", "~is Tessarin's own blank desktop"},
        {{"cue", "Work", "off"}, 0, "", ""},
        {{"look", "frost", "--speed", "slow"}, 0, "", ""},
        {{"look", "angledDown", "--intensity", "strong"}, 0, "", ""},
        {{"look", "sparkle"},
         2,
         "",
         "~The look is one of none, vertical, horizontal, angledDown, angledUp, frost"},
        {{"look", "vertical", "--intensity", "loud"},
         2,
         "",
         "~The intensity is one of subtle, medium, strong"},
        {{"look", "vertical", "--speed"}, 2, "", "~--speed needs a value."},
        {{"appearance", "Work", "dark"}, 0, "", ""},
        {{"appearance", "Default", "none"}, 0, "", ""},
        {{"appearance", "Work", "dim"}, 2, "", "Usage: tessarinctl appearance NAME light|dark|none\n"},
        {{"appearance", blank, "dark"}, 1, "", "~is Tessarin's own blank desktop"},
    });

    const Config c = h.load();
    const Workspace& work = *c.findWorkspace("Work");
    ASSERT_TRUE(work.cue);
    EXPECT_FALSE(work.cue->enabled);
    EXPECT_TRUE(work.cue->aboveIcons);
    EXPECT_EQ(work.cue->opacity, 0.8);
    // The picture is a copy (how it is copied into the store is the cue editor's).
    EXPECT_EQ(work.cue->fill.kind, DesktopCue::Fill::Kind::image);
    EXPECT_EQ(test::readFile(work.cue->fill.value), "a picture");
    // The look keeps the speed it was given before; the appearance is per desktop.
    EXPECT_EQ(c.settings.switchLook, SwitchLook::angledDown);
    EXPECT_EQ(c.settings.switchSpeed, SwitchSpeed::slow);
    EXPECT_EQ(c.settings.switchIntensity, SwitchIntensity::strong);
    EXPECT_EQ(c.settings.switchTransition, SwitchTransition::sweep);
    EXPECT_EQ(work.preferredAppearance, AppearanceMode::dark);
    EXPECT_EQ(c.findWorkspace("Default")->preferredAppearance, AppearanceMode::system);
}
