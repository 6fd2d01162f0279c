#include "Keys.h"
#include "Pointer.h"
#include "Session.h"
#include "support/Files.h"
#include "support/RunProcess.h"

#include <QImage>
#include <QRect>
#include <csignal>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

using namespace tessarin;
using namespace tessarin::e2e;
namespace fs = std::filesystem;

namespace {

// The session's one X screen, 2560 wide, split into two monitors side by side.
constexpr int screenWidth = 2560;
constexpr int monitorWidth = 1280;

struct DockState {
    bool visible = false;
    bool parkedElsewhere = false;
    std::string screen;
    QRect frame;
    std::map<std::string, QRect> tiles;
    std::string targeted;
};

QRect rectOf(const nlohmann::json& f) {
    return {f["x"].get<int>(), f["y"].get<int>(), f["width"].get<int>(), f["height"].get<int>()};
}

DockState dock(const UserHome& home) {
    const Output o = tessarinctl(home, {"--json", "dock"});
    EXPECT_EQ(o.status, 0) << o.err;
    DockState state;
    const auto j = nlohmann::json::parse(o.out, nullptr, false);
    if (j.is_discarded())
        return state;
    state.visible = j["visible"].get<bool>();
    state.parkedElsewhere = j["parkedElsewhere"].get<bool>();
    state.screen = j["screen"].get<std::string>();
    state.frame = rectOf(j["frame"]);
    for (const auto& t : j["tiles"])
        state.tiles[t["name"].get<std::string>()] = rectOf(t["frame"]);
    state.targeted = j["targeted"].is_null() ? "" : j["targeted"].get<std::string>();
    return state;
}

// An agent over `home` with the pointer at `pointerAt` (the dock comes up on the screen under it), its
// triggers set up, on the screen split in two.
std::unique_ptr<Agent> startAgent(const UserHome& home, Pointer& pointer, QPoint pointerAt) {
    static const bool split = (splitScreen(true), true);
    (void)split;
    pointer.moveTo(pointerAt.x(), pointerAt.y());
    auto agent = std::make_unique<Agent>(home);
    EXPECT_TRUE(agent->waitForLog("workspaces: ")) << agent->log();
    return agent;
}

// A drag of `urls` from another application's window, driven with the pointer: pressed in the source's
// window when made, dropped by drop().
class Drag {
public:
    Drag(Pointer& pointer, const std::vector<std::string>& urls) : pointer_(pointer) {
        std::vector<std::string> argv = {TESSARIN_DOCK_CLIENT, "drag"};
        argv.insert(argv.end(), urls.begin(), urls.end());
        ::pipe(pipe_);
        pid_ = test::spawnRedirected(argv, {}, pipe_[1], 2);
        ::close(pipe_[1]);
        if (outcome() != "ready")
            return;
        const auto window = waitForWindow([] { return visibleWindowNamed("Drag source"); });
        if (!window)
            return;
        pointer.moveTo(window->x + window->width / 2, window->y + window->height / 2);
        pointer.press();
        started_ = true;
    }
    ~Drag() {
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, nullptr, 0);
        ::close(pipe_[0]);
        // The next source's window must not be mistaken for this one.
        waitForNoWindow([] { return visibleWindowNamed("Drag source"); });
    }
    bool started() const { return started_; }
    // Glides to `at` and keeps the pointer moving by a pixel there until `done` holds: the source tells
    // the dock where it is only when the pointer moves after the dock's last answer came.
    bool hover(const QPoint& at, const std::function<bool()>& done,
               std::chrono::milliseconds timeout = std::chrono::seconds(10), int steps = 12) {
        pointer_.glideTo(at.x(), at.y(), steps);
        int wiggle = 0;
        return waitFor(
            [&] {
                pointer_.moveTo(at.x() + (++wiggle % 2), at.y());
                return done();
            },
            timeout);
    }
    // Lets go; how the drag ended as the source saw it ("copy", "move" or "ignore").
    std::string drop() {
        pointer_.release();
        return outcome();
    }

private:
    std::string outcome() {
        std::string text;
        char c;
        while (::read(pipe_[0], &c, 1) == 1 && c != '\n')
            text += c;
        return text;
    }

    Pointer& pointer_;
    int pipe_[2] = {-1, -1};
    pid_t pid_ = -1;
    bool started_ = false;
};

// The part of a screenshot of the whole screen that the dock covers, kept for a person to look at.
QImage dockShot(const QRect& frame, const std::string& name) {
    const QImage shot = screenshot("dock-screen.png").copy(frame);
    saveArtifact(shot, name);
    return shot;
}

} // namespace

TEST(FloatingDock, ShowsItsDesktopsAlongEachAxisInEachAppearance) {
    UserHome home;
    home.setUp("Home", {"Home", "Work", "Photos of the long summer"}, 1);
    Pointer pointer;
    const auto agent = startAgent(home, pointer, {640, 400});
    ASSERT_TRUE(ctlSucceeds(home, {"dock", "show"}));

    // Two looks that share no setting: a light horizontal card of small tiles, a dark vertical one of
    // large tiles.
    const struct {
        const char* appearance;
        const char* axis;
        const char* size;
    } looks[] = {{"light", "horizontal", "small"}, {"dark", "vertical", "large"}};
    int previousTile = 0;
    for (const auto& look : looks) {
        const bool light = std::string(look.appearance) == "light";
        const bool horizontal = std::string(look.axis) == "horizontal";
        SCOPED_TRACE(look.appearance);
        ASSERT_TRUE(ctlSucceeds(home, {"set", "floatingDockAppearance", look.appearance}));
        ASSERT_TRUE(ctlSucceeds(home, {"set", "floatingDockAxis", look.axis}));
        ASSERT_TRUE(ctlSucceeds(home, {"set", "floatingDockSize", look.size}));
        const DockState state = dock(home);
        ASSERT_TRUE(state.visible);
        EXPECT_EQ(state.screen, "left");
        ASSERT_EQ(state.tiles.size(), 3u);
        // The card's colour at the middle of its leading edge, inside its border, once repainted.
        int grey = -1;
        EXPECT_TRUE(waitFor(
            [&] {
                const QImage shot = dockShot(state.frame, std::string("dock-") + look.appearance + ".png");
                grey = shot.isNull() ? -1 : qGray(shot.pixel(3, shot.height() / 2));
                return light ? grey > 200 : (grey >= 0 && grey < 70);
            },
            std::chrono::seconds(5)))
            << "grey " << grey;
        // Tiles follow each other along the axis, larger in the larger size.
        const QRect first = state.tiles.at("Home"), second = state.tiles.at("Work");
        EXPECT_EQ(horizontal ? second.y() : second.x(), horizontal ? first.y() : first.x());
        EXPECT_GT(horizontal ? second.x() : second.y(), horizontal ? first.right() : first.bottom());
        EXPECT_EQ(state.frame.width() > state.frame.height(), horizontal);
        EXPECT_TRUE(state.frame.contains(state.tiles.at("Photos of the long summer")));
        EXPECT_GT(first.height(), previousTile);
        previousTile = first.height();
    }
}

TEST(FloatingDock, ATileSwitchesOnAClickAndTakesFilesDroppedOnIt) {
    UserHome home;
    home.setUp("Home", {"Home", "Work"}, 1);
    Pointer pointer;
    const auto agent = startAgent(home, pointer, {640, 400});
    ASSERT_TRUE(ctlSucceeds(home, {"dock", "show"}));
    DockState state = dock(home);
    ASSERT_TRUE(state.visible);

    // A click on Work's tile switches to Work.
    clickAt(state.tiles.at("Work").center().x(), state.tiles.at("Work").center().y());
    ASSERT_TRUE(waitFor([&] {
        return UserHome::listing(home.desktop()) == std::vector<std::string>{"Work 0.txt"};
    })) << agent->log();
    EXPECT_EQ(home.document().activeWorkspace, "Work");

    state = dock(home);
    const QPoint homeTile = state.tiles.at("Home").center(), workTile = state.tiles.at("Work").center();
    // A link is no local file: refused over any tile, nothing moves.
    {
        Drag drag(pointer, {"https://example.org/clash.txt"});
        ASSERT_TRUE(drag.started());
        EXPECT_FALSE(drag.hover(
            homeTile, [&] { return !dock(home).targeted.empty(); }, std::chrono::seconds(1)))
            << agent->log();
        EXPECT_EQ(drag.drop(), "ignore");
    }
    // Two files from the Desktop dropped on Home's tile; Home already holds a file of one of the names.
    test::writeFile(home.desktop() / "note.txt", "a note");
    test::writeFile(home.desktop() / "clash.txt", "the Desktop's");
    test::writeFile(home.folder("Home") / "clash.txt", "Home's");
    const auto url = [&](const std::string& name) { return "file://" + (home.desktop() / name).string(); };
    {
        Drag drag(pointer, {url("note.txt"), url("clash.txt")});
        ASSERT_TRUE(drag.started());
        ASSERT_TRUE(drag.hover(homeTile, [&] { return dock(home).targeted == "Home"; })) << agent->log();
        dockShot(state.frame, "dock-drop-target.png");
        EXPECT_EQ(drag.drop(), "copy");
        // The dock reads the files from the source after the drop: the source lives until they moved.
        ASSERT_TRUE(waitFor([&] { return fs::exists(home.folder("Home") / "note.txt"); })) << agent->log();
    }
    EXPECT_EQ(test::readFile(home.folder("Home") / "note.txt"), "a note");
    EXPECT_EQ(test::readFile(home.folder("Home") / "clash.txt"), "Home's");
    EXPECT_EQ(test::readFile(home.desktop() / "clash.txt"), "the Desktop's");
    EXPECT_EQ(UserHome::listing(home.desktop()), (std::vector<std::string>{"Work 0.txt", "clash.txt"}));

    // Dragged from Home's tile on to the active desktop's: no highlight, the drop is refused.
    {
        Drag drag(pointer, {url("clash.txt")});
        ASSERT_TRUE(drag.started());
        ASSERT_TRUE(drag.hover(homeTile, [&] { return dock(home).targeted == "Home"; }));
        ASSERT_TRUE(drag.hover(
            workTile, [&] { return dock(home).targeted.empty(); }, std::chrono::seconds(10), 4));
        EXPECT_EQ(drag.drop(), "ignore");
    }
    EXPECT_EQ(UserHome::listing(home.desktop()), (std::vector<std::string>{"Work 0.txt", "clash.txt"}));
    EXPECT_EQ(UserHome::listing(home.folder("Home")),
              (std::vector<std::string>{"Home 0.txt", "clash.txt", "note.txt"}));
    const Config document = home.document();
    const auto files = document.findWorkspace("Home")->files;
    EXPECT_NE(std::find(files.begin(), files.end(), "note.txt"), files.end());
}

TEST(FloatingDock, ComesBackWhereItWasLeftOnTheSameScreenAfterARestart) {
    UserHome home;
    home.setUp("Home", {"Home", "Work"}, 1,
               [](Config& c) { c.settings.floatingDockRememberPosition = true; });
    Pointer pointer;
    auto agent = startAgent(home, pointer, {1900, 300});
    ASSERT_TRUE(ctlSucceeds(home, {"dock", "show"}));
    const DockState shown = dock(home);
    ASSERT_TRUE(shown.visible);
    ASSERT_EQ(shown.screen, "right");

    // Dragged by its background (the padding at its leading edge) up and to the left.
    const QPoint grab(shown.frame.x() + 5, shown.frame.center().y());
    pointer.moveTo(grab.x(), grab.y());
    pointer.press();
    pointer.glideTo(grab.x() - 300, grab.y() - 250);
    pointer.release();
    ASSERT_TRUE(waitFor([&] { return home.document().settings.floatingDockPosition.has_value(); }))
        << agent->log();
    const DockState moved = dock(home);
    EXPECT_EQ(moved.frame.topLeft(), shown.frame.topLeft() + QPoint(-300, -250));

    agent->signal(SIGTERM);
    ASSERT_TRUE(agent->waitForExit(std::chrono::seconds(10)));
    agent = std::make_unique<Agent>(home, "agent-again.log"); // the pointer stays where the drag left it
    ASSERT_TRUE(agent->waitForLog("workspaces: ")) << agent->log();
    EXPECT_FALSE(dock(home).visible); // an agent starts without windows
    ASSERT_TRUE(ctlSucceeds(home, {"dock", "show"}));
    const DockState again = dock(home);
    EXPECT_TRUE(again.visible);
    EXPECT_EQ(again.screen, "right");
    EXPECT_EQ(again.frame, moved.frame) << agent->log();
}

TEST(FloatingDock, BelongsToTheWorkspaceItWasShownOnAndAnswersItsShortcut) {
    UserHome home;
    home.setUp("Home", {"Home", "Work"}, 1);
    showWorkspace(0);
    Keyboard& keys = Keyboard::warm();
    Agent agent(home);
    ASSERT_TRUE(agent.waitForLog("workspaces: ewmh")) << agent.log();
    const auto onScreen = [] { return visibleWindowNamed("Tessarin dock").has_value(); };
    ASSERT_TRUE(ctlSucceeds(home, {"dock", "show"}));
    ASSERT_TRUE(waitFor(onScreen));

    // Another workspace: the dock stays behind, and says where it is.
    showWorkspace(1);
    ASSERT_TRUE(waitFor([&] { return dock(home).parkedElsewhere; })) << agent.log();
    EXPECT_FALSE(dock(home).visible);
    EXPECT_TRUE(waitFor([&] { return !onScreen(); }));
    // Shown again there: it moves to this workspace and belongs to it from now on.
    ASSERT_TRUE(ctlSucceeds(home, {"dock", "toggle"}));
    EXPECT_TRUE(dock(home).visible);
    EXPECT_FALSE(dock(home).parkedElsewhere);
    EXPECT_TRUE(waitFor(onScreen));
    showWorkspace(0);
    ASSERT_TRUE(waitFor([&] { return dock(home).parkedElsewhere; })) << agent.log();
    EXPECT_TRUE(waitFor([&] { return !onScreen(); }));
    showWorkspace(1);
    EXPECT_TRUE(waitFor(onScreen));
    EXPECT_TRUE(dock(home).visible);

    // Its shortcut hides it and shows it again.
    ASSERT_TRUE(ctlSucceeds(home, {"shortcut", "floating-dock", "Super+Alt+3"}));
    keys.tap({keycode::super, keycode::alt, keycode::three});
    ASSERT_TRUE(waitFor([&] { return !dock(home).visible; })) << agent.log();
    EXPECT_TRUE(waitFor([&] { return !onScreen(); }));
    keys.tap({keycode::super, keycode::alt, keycode::three});
    ASSERT_TRUE(waitFor([&] { return dock(home).visible; })) << agent.log();
    EXPECT_TRUE(waitFor(onScreen));
}

TEST(HotCorner, RestingTogglesTheDockButNotDuringADragNorOverAFullScreenWindow) {
    UserHome home;
    home.setUp("Home", {"Home", "Work"}, 1, [](Config& c) {
        c.settings.floatingDockCorner = FloatingDockCorner::topRight;
        c.settings.floatingDockCornerDwellMs = 300;
    });
    Pointer pointer;
    const auto started = startAgent(home, pointer, {1900, 400});
    Agent& agent = *started;
    ASSERT_TRUE(agent.waitForLog("hot corner topRight watched, dwell 300 ms")) << agent.log();
    const auto shown = [&] { return agent.logCount("hot corner: floating dock shown"); };
    const auto hidden = [&] { return agent.logCount("hot corner: floating dock hidden"); };
    const int right = screenWidth - 1;

    // Resting in the top-right corner of the right screen shows the dock there, once.
    pointer.moveTo(right, 0);
    ASSERT_TRUE(waitFor([&] { return shown() == 1; })) << agent.log();
    EXPECT_TRUE(dock(home).visible);
    EXPECT_EQ(dock(home).screen, "right");
    // Out and back in again: hidden. (Each movement out is followed by a call to the agent, which it
    // answers after the movement: it learns where the pointer is only when it gets to the event.)
    pointer.moveTo(right - 200, 200);
    dock(home);
    pointer.moveTo(right, 0);
    ASSERT_TRUE(waitFor([&] { return hidden() == 1; })) << agent.log();
    EXPECT_FALSE(dock(home).visible);

    // Dragging into the corner and holding there never fires; once the button is up, a move does.
    pointer.moveTo(1900, 400);
    dock(home);
    pointer.press();
    pointer.glideTo(right, 0);
    EXPECT_FALSE(waitFor([&] { return shown() == 2; }, std::chrono::milliseconds(1500)));
    pointer.release();
    pointer.moveTo(right - 1, 1);
    ASSERT_TRUE(waitFor([&] { return shown() == 2; })) << agent.log();

    // The left screen's top-right corner is hot as well.
    pointer.moveTo(1000, 300);
    dock(home);
    pointer.moveTo(monitorWidth - 1, 0);
    ASSERT_TRUE(waitFor([&] { return hidden() == 2; })) << agent.log();

    // Over a full-screen window the corner does not show the dock, but still hides a shown one.
    const Process fullScreen({TESSARIN_DOCK_CLIENT, "fullscreen"}, {});
    ASSERT_TRUE(waitFor([] {
        return run({"/usr/bin/xdotool", "getactivewindow", "getwindowname"}).out == "Full screen\n";
    }));
    pointer.moveTo(1000, 300);
    dock(home);
    pointer.moveTo(right, 0);
    ASSERT_TRUE(waitFor([&] { return agent.logHas("hot corner ignored: a full-screen window is active"); }))
        << agent.log();
    EXPECT_FALSE(dock(home).visible);
    ASSERT_TRUE(ctlSucceeds(home, {"dock", "show"}));
    pointer.moveTo(right - 200, 200);
    dock(home);
    pointer.moveTo(right, 0);
    ASSERT_TRUE(waitFor([&] { return hidden() == 3; })) << agent.log();
    EXPECT_EQ(shown(), 2u);
}
