#include "Session.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

using namespace tessarin;
using namespace tessarin::e2e;

namespace {

// Opens the status menu and chooses the item `upFromBottom` places above the end of the menu (1 is
// "Quit").
void chooseFromMenu(const Window& icon, int upFromBottom) {
    ASSERT_TRUE(openStatusMenu(icon));
    std::vector<std::string> keys = {"key"};
    keys.insert(keys.end(), upFromBottom, "Up");
    keys.push_back("Return");
    xdotool(keys);
}

// Types into the focused window, key by key, as a user would.
void keys(const std::vector<std::string>& names) {
    std::vector<std::string> args = {"key", "--delay", "40"};
    args.insert(args.end(), names.begin(), names.end());
    xdotool(args);
}

std::vector<std::string> live(const UserHome& home) {
    const Output listed = tessarinctl(home, {"--json", "list"});
    EXPECT_EQ(listed.status, 0) << listed.err;
    return nlohmann::json::parse(listed.out).at("live").get<std::vector<std::string>>();
}

} // namespace

// An agent over Home and Work with its tray icon shown.
class SettingsWindow : public ::testing::Test {
protected:
    void SetUp() override {
        home.setUp("Home", {"Home", "Work"}, 1, [](Config& c) { c.settings.showDeskListHint = false; });
        agent.emplace(home);
        ASSERT_TRUE(waitForAgentOnBus()) << agent->log();
        ASSERT_TRUE(icon = waitForWindow(trayIcon)) << agent->log();
    }

    // "Settings…" is the item above "Quit".
    std::optional<Window> openSettings() {
        chooseFromMenu(*icon, 2);
        return waitForWindow(settingsWindow);
    }

    static std::optional<Window> settingsWindow() { return visibleWindowNamed("Tessarin Settings"); }

    UserHome home;
    std::optional<Agent> agent;
    std::optional<Window> icon;
};

TEST_F(SettingsWindow, CreateRenameReorderAndRetypeADesktopFromTheTrayMenu) {
    std::optional<Window> settings = openSettings();
    ASSERT_TRUE(settings) << agent->log();
    EXPECT_NEAR(settings->x + settings->width / 2, 640, 20); // centred on the 1280 × 800 screen
    xdotool({"windowactivate", "--sync", settings->id});

    // The sidebar has the focus: down to "Desktops", then Ctrl+N for the creation sheet.
    keys({"Down"});
    keys({"ctrl+n"});
    const auto sheet = waitForWindow([] { return visibleWindowNamed("New desktop"); });
    ASSERT_TRUE(sheet) << agent->log();
    xdotool({"windowactivate", "--sync", sheet->id});
    xdotool({"type", "--delay", "40", "Projects"});
    keys({"Return"});
    ASSERT_TRUE(waitFor([&] {
        return live(home) == std::vector<std::string>{"Home", "Work", "Projects"};
    })) << agent->log();
    EXPECT_TRUE(std::filesystem::is_directory(home.folder("Projects")));
    ASSERT_TRUE(waitForNoWindow([] { return visibleWindowNamed("New desktop"); }));

    // Back in the settings: Tab to "New desktop…", Tab to the list, End selects Projects, F2 edits its name.
    xdotool({"windowactivate", "--sync", settings->id});
    keys({"Tab", "Tab", "End", "F2", "ctrl+a"});
    xdotool({"type", "--delay", "40", "Plans"});
    keys({"Return"});
    ASSERT_TRUE(waitFor([&] {
        return live(home) == std::vector<std::string>{"Home", "Work", "Plans"};
    })) << agent->log();
    EXPECT_TRUE(std::filesystem::is_directory(home.folder("Plans")));
    EXPECT_FALSE(std::filesystem::exists(home.folder("Projects")));

    // Alt+Up moves the row above Work; Tab to its type, Down makes it temporary.
    keys({"alt+Up"});
    ASSERT_TRUE(waitFor([&] {
        return live(home) == std::vector<std::string>{"Home", "Plans", "Work"};
    })) << agent->log();
    keys({"Tab", "Down"});
    ASSERT_TRUE(waitFor([&] {
        return home.document().findWorkspace("Plans")->type == WorkspaceType::temporary;
    })) << agent->log();

    // Closed and opened again: the same window, on the same section, showing the document.
    keys({"ctrl+w"});
    ASSERT_TRUE(waitForNoWindow(settingsWindow));
    const std::optional<Window> again = openSettings();
    ASSERT_TRUE(again) << agent->log();
    EXPECT_EQ(std::pair(again->x, again->y), std::pair(settings->x, settings->y)); // kept, not made anew
    screenshot("e2e-settings-reopened.png");
    EXPECT_EQ(live(home), (std::vector<std::string>{"Home", "Plans", "Work"}));
    EXPECT_EQ(home.document().activeWorkspace, "Home");
    EXPECT_FALSE(agent->logHas("surfaced to the user"));

    // "Cleanup calendar" (above "Settings…" past the separator and "Floating dock") opens its window.
    chooseFromMenu(*icon, 4);
    EXPECT_TRUE(waitForWindow([] { return visibleWindowNamed("Cleanup calendar"); })) << agent->log();
}

TEST_F(SettingsWindow, UninstallButtonAsksFirstAndCancelKeepsEverything) {
    const std::optional<Window> settings = openSettings();
    ASSERT_TRUE(settings) << agent->log();
    xdotool({"windowactivate", "--sync", settings->id});

    // "Advanced" is the section above the last; its last control is "Uninstall Tessarin…".
    keys({"End", "Up", "shift+Tab", "space"});
    const auto question = waitForWindow(visibleAlert);
    ASSERT_TRUE(question) << agent->log();
    screenshot("e2e-settings-uninstall-question.png");
    keysIn(*question, {"Tab", "space"}); // the default button is the first; Tab reaches "Cancel"
    ASSERT_TRUE(waitForNoWindow(visibleAlert));

    EXPECT_EQ(live(home), (std::vector<std::string>{"Home", "Work"}));
    EXPECT_TRUE(waitForAgentOnBus()) << "Cancel leaves the agent running";
    EXPECT_FALSE(agent->logHas("uninstall requested from Settings"));
}
