// The desktop, rule and setting commands of tessarinctl end to end in a throwaway home: exit statuses,
// exact messages, and the folders and document they leave.
#include "model/ConfigCodec.h"
#include "settings/NamingRules.h"
#include "support/RunProcess.h"
#include "support/TempHome.h"

#include <gtest/gtest.h>

using namespace tessarin;
namespace fs = std::filesystem;

namespace {

struct Step {
    std::vector<std::string> args;
    int status;
    std::string out; // exact, unless it starts with "~" (then: contains the rest)
    std::string err; // the same
};

void expectText(const std::string& actual, const std::string& expected, const char* stream) {
    if (expected.starts_with("~"))
        EXPECT_NE(actual.find(expected.substr(1)), std::string::npos) << stream << ": " << actual;
    else
        EXPECT_EQ(actual, expected) << stream;
}

struct CtlHome {
    test::TempHome home;
    std::map<std::string, std::string> env{{"HOME", home.path().string()},
                                           {"XDG_CONFIG_HOME", (home / ".config").string()}};
    fs::path store = home / "Tessarin Desktops";

    CtlHome() { fs::create_directories(home / "Desktop"); }

    test::Output run(const std::vector<std::string>& args) {
        std::vector<std::string> argv{TESSARIN_CTL};
        argv.insert(argv.end(), args.begin(), args.end());
        return test::run(argv, env);
    }
    void steps(const std::vector<Step>& steps) {
        for (const auto& s : steps) {
            std::string line;
            for (const auto& a : s.args)
                line += a + " ";
            SCOPED_TRACE(line);
            const auto r = run(s.args);
            EXPECT_EQ(r.status, s.status) << r.err;
            expectText(r.out, s.out, "stdout");
            expectText(r.err, s.err, "stderr");
        }
    }
    Config document() { return decodeConfig(test::readFile(store / ".store/config.json")); }
    std::vector<std::string> names() {
        std::vector<std::string> result;
        for (const auto& w : document().workspaces)
            result.push_back(w.name);
        return result;
    }
};

using Names = std::vector<std::string>;
const std::string blank = "_Hidden Desktop";

} // namespace

TEST(CtlSorting, DesktopCommandsAndTheirMessages) {
    CtlHome h;
    test::writeFile(h.home / "Desktop/Notes/plan.txt", "plan");
    const std::string controls =
        "Desktop names can't contain tabs, line breaks or other control characters.\n";
    h.steps({
        {{"new", "Work"}, 0, "", ""},
        {{"new", ""}, 1, "", "A desktop needs a name.\n"},
        {{"new", "  "}, 1, "", "A desktop needs a name.\n"},
        {{"new", "\u00a0\u200b"}, 1, "", "A desktop needs a name.\n"},
        {{"new", "Tab\tName"}, 1, "", controls},
        {{"new", "Two\nLines"}, 1, "", controls},
        {{"new", "Bell\x07"}, 1, "", controls},
        {{"new", "Bad\xff"}, 1, "", "Desktop names must be UTF-8 text.\n"},
        {{"new", "_x"}, 1, "", "Names can't start with \u201c_\u201d (reserved).\n"},
        {{"new", ".x"}, 1, "", "Names can't start with \u201c.\u201d (hidden folders).\n"},
        {{"new", "ARCHIVE"},
         1,
         "",
         "\u201cARCHIVE\u201d is part of the desktops folder itself \u2014 pick another name.\n"},
        {{"new", " Work "}, 1, "", "\u201cWork\u201d already exists.\n"},
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
        {{"rename", "Work", "archive"},
         1,
         "",
         "\u201carchive\u201d is part of the desktops folder itself \u2014 pick another name.\n"},
        {{"rename", "Work", "Scratch"}, 1, "", "\u201cScratch\u201d already exists.\n"},
        {{"rename", "Nope", "X"}, 1, "", "There is no desktop called \u201cNope\u201d.\n"},
        {{"rename", blank, "X"},
         1,
         "",
         "\u201c_Hidden Desktop\u201d is Tessarin's own blank desktop and can't be changed.\n"},
        {{"rename", "Work", " Work "}, 0, "", ""},
        {{"rename", "Work", ""}, 1, "", "A desktop needs a name.\n"},
        {{"rename", "Work", "Line\u2028Break"}, 1, "", controls},
        {{"rename", "Work", "Projects"}, 0, "", ""},
        {{"type", "Projects", "temporary"}, 0, "", ""},
        {{"type", "Projects", "sometimes"}, 2, "", "Usage: tessarinctl type NAME permanent|temporary\n"},
        {{"type", "Nope", "permanent"}, 1, "", "There is no desktop called \u201cNope\u201d.\n"},
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
        {{"adopt", "Found"}, 1, "", "\u201cFound\u201d isn't in your desktops folder any more.\n"},
        {{"adopt", ".store"}, 1, "", "Names can't start with \u201c.\u201d (hidden folders).\n"},
    });
    fs::create_directories(h.store / "Found");
    test::writeFile(h.store / "Found/inside.txt", "kept");
    h.steps({{{"adopt", "Found"}, 0, "", ""}, {{"adopt", "Found"}, 0, "", ""}});

    const Config c = h.document();
    EXPECT_EQ(h.names(), (Names{"Later", "Projects", "Scratch", "Default", "Found", blank}));
    EXPECT_EQ(c.settings.pinnedFolders, Names{"Notes"});
    EXPECT_EQ(c.settings.optionClickCarousel, Names{"Scratch"});
    const Workspace scratch = *c.findWorkspace("Scratch");
    EXPECT_EQ(scratch.type, WorkspaceType::temporary);
    EXPECT_EQ(scratch.timer, (ArchiveTimer{ArchiveTimerMode::idle, 3}));
    // Projects turned temporary, so nothing may pour into it any more.
    EXPECT_EQ(scratch.drainTarget, std::nullopt);
    EXPECT_FALSE(scratch.timerDrains);
    EXPECT_FALSE(c.findWorkspace("Later")->createsCleanupTask);
    EXPECT_EQ(c.findWorkspace("Later")->timer, (ArchiveTimer{ArchiveTimerMode::fixed, 0}));
    EXPECT_FALSE(c.findWorkspace("Found")->createsCleanupTask);
    for (const auto* folder : {"Later", "Projects", "Scratch", "Default", "Found"})
        EXPECT_TRUE(fs::is_directory(h.store / folder)) << folder;
    EXPECT_FALSE(fs::exists(h.store / "Work"));
    EXPECT_EQ(test::readFile(h.store / "Found/inside.txt"), "kept");
    EXPECT_EQ(test::readFile(h.home / "Desktop/Notes/plan.txt"), "plan");
}

TEST(CtlSorting, TheLongestNameLeavesRoomForArchiving) {
    CtlHome h;
    const std::size_t longest = longestDesktopName(h.store);
    std::string name; // in bytes: "é" takes two
    while (name.size() + 2 <= longest)
        name += "\u00e9";
    name.append(longest - name.size(), 'x');
    h.steps({
        {{"new", name + "x", "--temporary"},
         1,
         "",
         "That name is too long for a desktop: its folder name can have at most " + std::to_string(longest) +
             " bytes here (this one has " + std::to_string(longest + 1) + ").\n"},
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
        {{"get", "filterScreenshots"}, 0, "true\n", ""},
        {{"set", "customFiltersEnabled", "true"}, 0, "", ""},
        {{"filter", "add", "_x"}, 0, "~1 ", ""},
        {{"filter", "pattern", "1", "tax"}, 0, "", ""},
        {{"filter", "target", "1", " Finance "}, 0, "", ""},
        {{"filter", "target", "1", "_Hidden"}, 1, "", "Names can't start with \u201c_\u201d (reserved).\n"},
        {{"filter", "add", "2024", "_x"}, 1, "", "Names can't start with \u201c_\u201d (reserved).\n"},
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
        {{"set", "menuBarAnimation", "wiggle"},
         2,
         "",
         "tessarinctl set: menuBarAnimation takes one of none, nudge, mirror, not \u201cwiggle\u201d.\n"},
        {{"set", "startMinimized", "maybe"},
         2,
         "",
         "tessarinctl set: startMinimized takes true or false, not \u201cmaybe\u201d.\n"},
        {{"set", "noSuchThing", "1"},
         2,
         "",
         "~tessarinctl set: unknown setting \u201cnoSuchThing\u201d. Settings: "},
        {{"set", "sequence", "true"}, 2, "", "~unknown setting"},
        {{"get", "noSuchThing"}, 2, "", "~unknown setting"},
        {{"set", "switchSpeed", "slow"}, 0, "", ""},
        {{"get", "switchMinDurationMs"}, 0, "1350\n", ""},
        {{"set", "appearance.accentHex", " #0a84ff "}, 0, "", ""},
        {{"get", "appearance.accentHex"}, 0, "#0A84FF\n", ""},
        {{"set", "screenshotNamePrefix", "Shot"}, 0, "", ""},
        {{"--json", "get", "screenshotNamePrefix"}, 0, "{\"screenshotNamePrefix\":\"Shot\"}\n", ""},
        // Settings the settings window does not show, with their ranges.
        {{"set", "moveGapMs", "25"}, 0, "", ""},
        {{"get", "moveGapMs", "--json"}, 0, "{\"moveGapMs\":\"25\"}\n", ""},
        {{"set", "moveGapMs", "5000"},
         2,
         "",
         "tessarinctl set: moveGapMs takes a whole number of milliseconds, 0 to 1000, not "
         "\u201c5000\u201d.\n"},
        {{"set", "floatingDockCornerDwellMs", "5"}, 2, "", "~20 to 2000"},
        {{"set", "sweepAngleDegrees", "-30.5"}, 0, "", ""},
        {{"get", "sweepAngleDegrees"}, 0, "-30.5\n", ""},
        {{"set", "nativePositions", "false"}, 2, "", "~takes true (it is always on)"},
        {{"set", "switchTransition", "sweep"}, 0, "", ""},
        {{"set", "shownFirstSwitchNote", "true"}, 0, "", ""},
        {{"set", "screenshotsWorkspace", "Nope"}, 1, "", "There is no desktop called \u201cNope\u201d.\n"},
        {{"get"}, 0, "~\nmoveGapMs 25\nswitchBlurOpacity 0.45\n", ""},
        {{"--json", "get"}, 0, "~,\"switchTransition\":\"sweep\",", ""},
        {{"get", "one", "two"}, 2, "", "Usage: tessarinctl get [KEY]\n"},
    });
    const Config c = h.document();
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
    });
    EXPECT_TRUE(fs::exists(h.store / "Screenshots/Shot 1.png"));
    EXPECT_TRUE(fs::exists(h.store / "Finance/tax.pdf"));
    EXPECT_TRUE(fs::exists(h.home / "Desktop/Screenshot 1.png"));
    EXPECT_TRUE(fs::exists(h.home / "Desktop/Report.txt"));

    // A switch sweeps before the swap: the screenshot goes to its desktop, not with Default.
    test::writeFile(h.home / "Desktop/Shot 2.png", "2");
    h.steps({{{"filter", "remove", "2"}, 0, "", ""}, {{"switch", "Finance"}, 0, "", ""}});
    EXPECT_TRUE(fs::exists(h.store / "Screenshots/Shot 2.png"));
    EXPECT_TRUE(fs::exists(h.store / "Default/Report.txt"));
    EXPECT_EQ(h.document().settings.customFilters.size(), 1u);
}

TEST(CtlSorting, AReadOnlySessionChangesNothing) {
    CtlHome h;
    h.steps({{{"new", "Work"}, 0, "", ""}});
    const fs::path config = h.store / ".store/config.json";
    std::string newer = test::readFile(config);
    newer.replace(newer.find("\"schemaVersion\":1"), 17, "\"schemaVersion\":7");
    test::writeFile(config, newer);
    const std::string refusal = "Your Tessarin data was saved by a newer version of the app. Update Tessarin "
                                "to make changes \u2014 nothing "
                                "has been changed or lost.\n";
    h.steps({
        {{"new", "Other"}, 4, "", refusal},
        {{"rename", "Work", "Other"}, 4, "", refusal},
        {{"set", "startMinimized", "true"}, 4, "", refusal},
        {{"filter", "add", "x", "Work"}, 4, "", refusal},
        {{"sort-now"}, 4, "", refusal},
        {{"pin", "x"}, 4, "", refusal},
        {{"get", "startMinimized"}, 0, "false\n", ""},
    });
    EXPECT_EQ(test::readFile(config), newer);
    EXPECT_FALSE(fs::exists(h.store / "Other"));
}

TEST(CtlSorting, CueLookAndAppearanceWithTheirLimits) {
    CtlHome h;
    const std::string sky = (h.home / "sky.png").string();
    const std::string dusk = (h.home / "dusk.jpg").string();
    test::writeFile(sky, "a picture");
    test::writeFile(dusk, "another picture");
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
        {{"cue", "Work", "image", dusk, "--above-icons"}, 0, "", ""},
        {{"cue", "Work", "color", "blue"}, 2, "", "~The colour is written #RRGGBB, not \u201cblue\u201d."},
        {{"cue", "Work", "color", "#3366FF", "--opacity", "half"}, 2, "", "~not \u201chalf\u201d"},
        {{"cue", "Work", "off", "--opacity", "0.5"}, 2, "", "~go with color or image"},
        {{"cue", "Work", "sometimes"}, 2, "", "~Usage: tessarinctl cue NAME color HEX | image PATH | off"},
        {{"cue", "Work", "image", (h.home / "gone.png").string()}, 1, "", "~Couldn't load that image: "},
        {{"cue", "Nowhere", "color", "#000000"}, 1, "", "There is no desktop called \u201cNowhere\u201d.\n"},
        {{"cue", blank, "off"},
         1,
         "",
         "\u201c_Hidden Desktop\u201d is Tessarin's own blank desktop and can't be changed.\n"},
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
        {{"appearance", "Default", "light"}, 0, "", ""},
        {{"appearance", "Default", "none"}, 0, "", ""},
        {{"appearance", "Work", "dim"}, 2, "", "Usage: tessarinctl appearance NAME light|dark|none\n"},
        {{"appearance", blank, "dark"}, 1, "", "~is Tessarin's own blank desktop"},
    });

    const Config c = h.document();
    const Workspace& work = *c.findWorkspace("Work");
    ASSERT_TRUE(work.cue);
    EXPECT_FALSE(work.cue->enabled);
    EXPECT_TRUE(work.cue->aboveIcons);
    EXPECT_EQ(work.cue->opacity, 0.8);
    // The picture is a copy in the store; the copy it replaced is gone, the user's own files stay.
    const fs::path copy = work.cue->fill.value;
    EXPECT_EQ(work.cue->fill.kind, DesktopCue::Fill::Kind::image);
    EXPECT_EQ(copy.parent_path(), h.store / ".store/cues");
    EXPECT_EQ(copy.extension(), ".jpg");
    EXPECT_EQ(test::readFile(copy), "another picture");
    EXPECT_EQ(std::distance(fs::directory_iterator(copy.parent_path()), fs::directory_iterator()), 1);
    EXPECT_TRUE(fs::exists(sky));
    // The look keeps the speed it was given before; the appearance is per desktop.
    EXPECT_EQ(c.settings.switchLook, SwitchLook::angledDown);
    EXPECT_EQ(c.settings.switchSpeed, SwitchSpeed::slow);
    EXPECT_EQ(c.settings.switchIntensity, SwitchIntensity::strong);
    EXPECT_EQ(c.settings.switchTransition, SwitchTransition::sweep);
    EXPECT_EQ(c.settings.sweepDurationMs, 979);
    EXPECT_EQ(work.preferredAppearance, AppearanceMode::dark);
    EXPECT_EQ(c.findWorkspace("Default")->preferredAppearance, AppearanceMode::system);
}
