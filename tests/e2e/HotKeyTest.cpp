#include "Keys.h"
#include "Session.h"
#include "model/ShortcutText.h"

#include <gtest/gtest.h>
#include <sstream>

using namespace tessarin;
using namespace tessarin::e2e;
namespace k = tessarin::e2e::keycode;

namespace {

void assign(const UserHome& home, const std::vector<std::pair<std::string, std::string>>& shortcuts) {
    for (const auto& [owner, combo] : shortcuts)
        ASSERT_TRUE(ctlSucceeds(home, {"shortcut", owner, combo}));
}

} // namespace

TEST(GlobalShortcuts, SwitchDesktopsFromTheKeyboardWithTheLocksOnOrOff) {
    Keyboard& keys = Keyboard::warm();
    UserHome home;
    home.setUp("Home", {"Home", "Work", "Play"}, 1);
    Agent agent(home);
    ASSERT_TRUE(agent.waitForLog("workspaces: ")) << agent.log(); // its triggers are set up
    assign(home, {{"Work", "Super+Alt+1"}, {"Play", "Ctrl+Shift+F5"}, {"Home", "super+alt+2"}});

    const std::vector<std::pair<bool, bool>> locks = {
        {false, false}, {true, false}, {false, true}, {true, true}};
    for (const auto& [caps, num] : locks) {
        SCOPED_TRACE(std::string("Caps Lock ") + (caps ? "on" : "off") + ", Num Lock " +
                     (num ? "on" : "off"));
        keys.setLocks(caps, num);
        keys.tap({k::super, k::alt, k::one});
        ASSERT_TRUE(waitForActive(home, "Work")) << agent.log();
        keys.tap({k::ctrl, k::shift, k::f5});
        ASSERT_TRUE(waitForActive(home, "Play")) << agent.log();
        keys.tap({k::super, k::alt, k::two});
        ASSERT_TRUE(waitForActive(home, "Home")) << agent.log();
    }
    keys.setLocks(false, false);
    EXPECT_EQ(UserHome::listing(home.desktop()), std::vector<std::string>{"Home 0.txt"});
    EXPECT_EQ(UserHome::listing(home.folder("Play")), std::vector<std::string>{"Play 0.txt"});
}

TEST(GlobalShortcuts, FollowTheKeyboardLayoutInNamesAndInWhatTessarinctlReads) {
    Keyboard& keys = Keyboard::warm();
    UserHome home;
    home.setUp("Home", {"Home", "Work", "Play"}, 1, [](Config& c) { c.settings.showShortcutsInMenu = true; });
    Agent agent(home);
    ASSERT_TRUE(agent.waitForLog("workspaces: ")) << agent.log(); // its triggers are set up
    assign(home, {{"Work", "Super+Alt+1"}});

    run({"/usr/bin/setxkbmap", "fr"});
    ASSERT_TRUE(agent.waitForLog("keyboard layout changed")) << agent.log();
    // On a French keyboard the key of 1 types "&", and the A is where the US Q is.
    assign(home, {{"Play", "Super+A"}});
    EXPECT_EQ(home.document().findWorkspace("Play")->hotkey, (HotKeySpec{12, modifierBits::command}));
    const Output listed = tessarinctl(home, {"shortcuts"});
    EXPECT_EQ(listed.out, "Work: \u2325\u2318& (Super+Alt+&)\nPlay: \u2318A (Super+A)\n") << listed.err;

    keys.tap({k::super, k::q});
    EXPECT_TRUE(waitForActive(home, "Play")) << agent.log();
    keys.tap({k::super, k::alt, k::one});
    EXPECT_TRUE(waitForActive(home, "Work")) << agent.log();

    // The status menu shows the same names: saved for a person to look at.
    const auto icon = waitForWindow(trayIcon);
    ASSERT_TRUE(icon) << agent.log();
    EXPECT_TRUE(openStatusMenu(*icon)) << agent.log();
    screenshot("shortcuts-menu-fr.png");
    keys.tap({9}); // Escape closes it
    run({"/usr/bin/setxkbmap", "us"});
}

TEST(GlobalShortcuts, ACombinationAnotherApplicationHoldsIsRefusedAndTheOthersStillWork) {
    Keyboard& keys = Keyboard::warm();
    Keyboard otherApplication;
    ASSERT_TRUE(otherApplication.grab(k::three, modifier::super | modifier::alt));
    UserHome home;
    home.setUp("Home", {"Home", "Work", "Play"}, 1);
    Agent agent(home);
    ASSERT_TRUE(agent.waitForLog("workspaces: ")) << agent.log(); // its triggers are set up
    assign(home, {{"Play", "Super+Alt+3"}, {"Work", "Super+Alt+1"}});

    const Output listed = tessarinctl(home, {"shortcuts"});
    EXPECT_EQ(listed.out,
              "Work: \u2325\u23181 (Super+Alt+1)\n"
              "Play: \u2325\u23183 (Super+Alt+3) \u2014 not active: another application holds it\n");
    keys.tap({k::super, k::alt, k::one});
    EXPECT_TRUE(waitForActive(home, "Work")) << agent.log();
}

// Without the agent, tessarinctl does the work itself and says what it can't.
TEST(ShortcutCommands, RefuseWhatTheyCannotStoreAndSayWhereAShortcutWontFire) {
    UserHome home;
    home.setUp("Home", {"Home", "Work"}, 1);
    Env wayland = home.env();
    wayland["WAYLAND_DISPLAY"] = "wayland-test";
    struct Case {
        std::string args; // separated by spaces
        bool onWayland;
        int status;
        std::string out;
        std::string err; // contained; the conflict's own wording is the core's
    };
    const std::vector<Case> cases = {
        {"shortcut Work Super+Alt+1", false, 0, "", ""},
        {"shortcut Work", false, 0, "\u2325\u23181 (Super+Alt+1)\n", ""},
        {"shortcut cycle-next Alt+Super+1", false, 1, "", "\u201cWork\u201d"},
        {"shortcut Nowhere Super+1", false, 1, "",
         "There is no desktop called \u201cNowhere\u201d. Shortcuts belong to a desktop or to one of: "
         "cycle-next, cycle-previous, hide-desktop, switch-to-last, open-settings, open-calendar, sort-now, "
         "floating-dock.\n"},
        {"shortcut Home Super+Tab", true, 0,
         "Stored, but this session lets no application take keys for the whole screen, so the shortcut "
         "will not fire. Bind Super+Tab to the command \u201ctessarinctl switch \"Home\"\u201d in your "
         "desktop's own keyboard shortcut settings instead.\n",
         ""},
        {"shortcut Home --clear", false, 0, "", ""},
        {"shortcut Home", false, 0, "none\n", ""},
        {"space Work 2", false, 0,
         "Workspace following is off; turn it on with \u201ctessarinctl set followSpaces true\u201d.\n", ""},
        {"space Work", false, 0, "Workspace 2\n", ""},
        {"space Home 7", false, 1, "", "There is no workspace 7: this session has 4.\n"},
        {"space Home 1", true, 1, "",
         "Tessarin can't read this session's workspaces, so workspace following is unavailable. "
         "Everything else works normally. This Wayland session doesn't let applications read its "
         "workspaces.\n"},
        {"space Work --unbind", false, 0, "", ""},
        {"space Work", false, 0, "Not bound\n", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args + (c.onWayland ? " (Wayland)" : ""));
        std::vector<std::string> argv = {TESSARIN_CTL};
        std::istringstream words(c.args);
        for (std::string word; words >> word;)
            argv.push_back(word);
        const Output o = run(argv, c.onWayland ? wayland : home.env());
        EXPECT_EQ(o.status, c.status);
        EXPECT_EQ(o.out, c.out);
        EXPECT_NE(o.err.find(c.err), std::string::npos) << o.err;
        EXPECT_EQ(o.err.empty(), c.err.empty()) << o.err;
    }
    EXPECT_EQ(home.document().findWorkspace("Work")->hotkey,
              (HotKeySpec{18, modifierBits::command | modifierBits::option}));
}
