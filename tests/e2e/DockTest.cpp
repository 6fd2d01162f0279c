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

void splitIntoTwoMonitors() {
    static bool done = false;
    if (done)
        return;
    run({"/usr/bin/xrandr", "--setmonitor", "left", "1280/340x800/210+0+0", "screen"});
    run({"/usr/bin/xrandr", "--setmonitor", "right", "1280/340x800/210+1280+0", "none"});
    done = true;
}

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

void ctl(const UserHome& home, const std::vector<std::string>& args) {
    const Output o = tessarinctl(home, args);
    ASSERT_EQ(o.status, 0) << o.err;
}

size_t count(const std::string& text, const std::string& part) {
    size_t n = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++n;
    return n;
}

// Another application's window that drags `urls`; the test drives the drag with the pointer.
class DragSource {
public:
    explicit DragSource(const std::vector<std::string>& urls) {
        std::vector<std::string> argv = {TESSARIN_DOCK_CLIENT, "drag"};
        argv.insert(argv.end(), urls.begin(), urls.end());
        ::pipe(pipe_);
        pid_ = test::spawnRedirected(argv, {}, pipe_[1], 2);
        ::close(pipe_[1]);
        if (outcome() == "ready")
            waitFor([&] { return (window_ = visibleWindowNamed("Drag source")).has_value(); });
    }
    ~DragSource() {
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, nullptr, 0);
        ::close(pipe_[0]);
        // The next source's window must not be mistaken for this one.
        waitFor([] { return !visibleWindowNamed("Drag source"); });
    }
    const std::optional<Window>& window() const { return window_; }
    // The source's next line: "ready" once, then how the drag ended as the source saw it.
    std::string outcome() {
        std::string text;
        char c;
        while (::read(pipe_[0], &c, 1) == 1 && c != '\n')
            text += c;
        return text;
    }

private:
    int pipe_[2] = {-1, -1};
    pid_t pid_ = -1;
    std::optional<Window> window_;
};

QPoint centre(const QRect& r) {
    return r.center();
}

QPoint centre(const Window& w) {
    return {w.x + w.width / 2, w.y + w.height / 2};
}

// Keeps the pointer moving by a pixel over `at` while a drag waits for the dock's answer: the drag source
// tells the dock where it is only when the pointer moves after that answer came.
bool hoverUntil(Pointer& pointer, const QPoint& at, const std::function<bool()>& done,
                std::chrono::milliseconds timeout = std::chrono::seconds(10)) {
    int wiggle = 0;
    return waitFor(
        [&] {
            pointer.moveTo(at.x() + (++wiggle % 2), at.y());
            return done();
        },
        timeout);
}

// The part of a screenshot of the whole screen that the dock covers, kept for a person to look at.
QImage saveDockShot(const QRect& frame, const std::string& name) {
    const QImage shot = screenshot("dock-screen.png").copy(frame);
    const char* dir = std::getenv("TESSARIN_TEST_ARTIFACTS");
    shot.save(QString::fromStdString(std::string(dir && *dir ? dir : "/tmp") + "/" + name));
    return shot;
}

} // namespace

TEST(FloatingDock, ShowsItsDesktopsInEachSizeAxisAndAppearance) {
    splitIntoTwoMonitors();
    UserHome home;
    home.setUp("Home", {"Home", "Work", "Photos of the long summer"}, 1);
    Pointer pointer;
    pointer.moveTo(640, 400); // the dock comes up on the screen under the pointer
    Agent agent(home);
    ASSERT_TRUE(agent.waitForLog("workspaces: ")) << agent.log();
    ctl(home, {"dock", "show"});

    const char* sizes[] = {"small", "medium", "system", "large"}; // tiles of 32, 44, 48 and 64
    for (const char* appearance : {"light", "dark"}) {
        ctl(home, {"set", "floatingDockAppearance", appearance});
        for (const char* axis : {"horizontal", "vertical"}) {
            ctl(home, {"set", "floatingDockAxis", axis});
            int previousTile = 0;
            for (const char* size : sizes) {
                ctl(home, {"set", "floatingDockSize", size});
                const std::string look = std::string(axis) + "-" + size + "-" + appearance;
                SCOPED_TRACE(look);
                const DockState state = dock(home);
                ASSERT_TRUE(state.visible);
                EXPECT_EQ(state.screen, "left");
                ASSERT_EQ(state.tiles.size(), 3u);
                // The card's colour at the middle of its leading edge, inside its border, once repainted.
                const bool light = std::string(appearance) == "light";
                int grey = -1;
                EXPECT_TRUE(waitFor(
                    [&] {
                        const QImage shot = saveDockShot(state.frame, "dock-" + look + ".png");
                        grey = shot.isNull() ? -1 : qGray(shot.pixel(3, shot.height() / 2));
                        return light ? grey > 200 : (grey >= 0 && grey < 70);
                    },
                    std::chrono::seconds(5)))
                    << "grey " << grey;
                // Tiles follow each other along the axis, each larger than in the size before.
                const QRect home_ = state.tiles.at("Home");
                const QRect work = state.tiles.at("Work");
                if (std::string(axis) == "horizontal") {
                    EXPECT_EQ(work.y(), home_.y());
                    EXPECT_GT(work.x(), home_.right());
                    EXPECT_GT(state.frame.width(), state.frame.height());
                } else {
                    EXPECT_EQ(work.x(), home_.x());
                    EXPECT_GT(work.y(), home_.bottom());
                    EXPECT_GT(state.frame.height(), state.frame.width());
                }
                EXPECT_TRUE(state.frame.contains(state.tiles.at("Photos of the long summer")));
                EXPECT_GT(home_.height(), previousTile);
                previousTile = home_.height();
            }
        }
    }
}

TEST(FloatingDock, ATileSwitchesOnAClickAndTakesFilesDroppedOnIt) {
    splitIntoTwoMonitors();
    UserHome home;
    home.setUp("Home", {"Home", "Work"}, 1);
    Pointer pointer;
    pointer.moveTo(640, 400);
    Agent agent(home);
    ASSERT_TRUE(agent.waitForLog("workspaces: ")) << agent.log();
    ctl(home, {"dock", "show"});
    DockState state = dock(home);
    ASSERT_TRUE(state.visible);

    // A click on Work's tile switches to Work.
    clickAt(centre(state.tiles.at("Work")).x(), centre(state.tiles.at("Work")).y());
    ASSERT_TRUE(waitFor([&] {
        return UserHome::listing(home.desktop()) == std::vector<std::string>{"Work 0.txt"};
    })) << agent.log();
    EXPECT_EQ(home.document().activeWorkspace, "Work");

    state = dock(home);
    // A link is no local file: refused over any tile, nothing moves.
    {
        DragSource source({"https://example.org/clash.txt"});
        ASSERT_TRUE(source.window());
        pointer.moveTo(centre(*source.window()).x(), centre(*source.window()).y());
        pointer.press();
        const QPoint home_ = centre(state.tiles.at("Home"));
        pointer.glideTo(home_.x(), home_.y());
        EXPECT_FALSE(hoverUntil(
            pointer, home_, [&] { return !dock(home).targeted.empty(); }, std::chrono::seconds(1)))
            << agent.log();
        pointer.release();
        EXPECT_EQ(source.outcome(), "ignore");
    }
    // Two files from the Desktop dropped on Home's tile; Home already holds a file of one of the names.
    test::writeFile(home.desktop() / "note.txt", "a note");
    test::writeFile(home.desktop() / "clash.txt", "the Desktop's");
    test::writeFile(home.folder("Home") / "clash.txt", "Home's");
    const auto url = [&](const std::string& name) { return "file://" + (home.desktop() / name).string(); };
    state = dock(home);
    {
        DragSource source({url("note.txt"), url("clash.txt")});
        ASSERT_TRUE(source.window());
        pointer.moveTo(centre(*source.window()).x(), centre(*source.window()).y());
        pointer.press();
        const QPoint target = centre(state.tiles.at("Home"));
        pointer.glideTo(target.x(), target.y());
        ASSERT_TRUE(hoverUntil(pointer, target, [&] { return dock(home).targeted == "Home"; }))
            << agent.log();
        saveDockShot(state.frame, "dock-drop-target.png");
        pointer.release();
        EXPECT_EQ(source.outcome(), "copy");
        // The dock reads the files from the source after the drop: the source lives until they moved.
        ASSERT_TRUE(waitFor([&] { return fs::exists(home.folder("Home") / "note.txt"); })) << agent.log();
    }
    EXPECT_EQ(test::readFile(home.folder("Home") / "note.txt"), "a note");
    EXPECT_EQ(test::readFile(home.folder("Home") / "clash.txt"), "Home's");
    EXPECT_EQ(test::readFile(home.desktop() / "clash.txt"), "the Desktop's");
    EXPECT_EQ(UserHome::listing(home.desktop()), (std::vector<std::string>{"Work 0.txt", "clash.txt"}));

    // Dragged from Home's tile on to the active desktop's: no highlight, the drop is refused.
    {
        DragSource source({url("clash.txt")});
        ASSERT_TRUE(source.window());
        pointer.moveTo(centre(*source.window()).x(), centre(*source.window()).y());
        pointer.press();
        const QPoint home_ = centre(state.tiles.at("Home"));
        const QPoint work = centre(state.tiles.at("Work"));
        pointer.glideTo(home_.x(), home_.y());
        ASSERT_TRUE(hoverUntil(pointer, home_, [&] { return dock(home).targeted == "Home"; }));
        pointer.glideTo(work.x(), work.y(), 4);
        ASSERT_TRUE(hoverUntil(pointer, work, [&] { return dock(home).targeted.empty(); }));
        pointer.release();
        EXPECT_EQ(source.outcome(), "ignore");
    }
    EXPECT_EQ(UserHome::listing(home.desktop()), (std::vector<std::string>{"Work 0.txt", "clash.txt"}));
    EXPECT_EQ(UserHome::listing(home.folder("Home")),
              (std::vector<std::string>{"Home 0.txt", "clash.txt", "note.txt"}));
    const Config document = home.document();
    const auto files = document.findWorkspace("Home")->files;
    EXPECT_NE(std::find(files.begin(), files.end(), "note.txt"), files.end());
}

TEST(FloatingDock, ComesBackWhereItWasLeftOnTheSameScreenAfterARestart) {
    splitIntoTwoMonitors();
    UserHome home;
    home.setUp("Home", {"Home", "Work"}, 1,
               [](Config& c) { c.settings.floatingDockRememberPosition = true; });
    Pointer pointer;
    pointer.moveTo(1900, 300);
    std::optional<Agent> agent(std::in_place, home);
    ASSERT_TRUE(agent->waitForLog("workspaces: ")) << agent->log();
    ctl(home, {"dock", "show"});
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
    screenshot("dock-moved.png");

    agent->signal(SIGTERM);
    ASSERT_TRUE(agent->waitForExit(std::chrono::seconds(10)));
    agent.emplace(home, "agent-again.log");
    ASSERT_TRUE(agent->waitForLog("workspaces: ")) << agent->log();
    EXPECT_FALSE(dock(home).visible); // an agent starts without windows
    ctl(home, {"dock", "show"});
    const DockState again = dock(home);
    EXPECT_TRUE(again.visible);
    EXPECT_EQ(again.screen, "right");
    EXPECT_EQ(again.frame, moved.frame) << agent->log();
    EXPECT_EQ(again.frame.topLeft(), shown.frame.topLeft() + QPoint(-300, -250));
}

TEST(FloatingDock, BelongsToTheWorkspaceItWasShownOnAndAnswersItsShortcut) {
    UserHome home;
    home.setUp("Home", {"Home", "Work"}, 1);
    run({"/usr/bin/wmctrl", "-s", "0"});
    // The keyboard's first use renews the agent's grabs: before the agent starts, no press falls between.
    Keyboard keys;
    keys.tap({keycode::shift});
    Agent agent(home);
    ASSERT_TRUE(agent.waitForLog("workspaces: ewmh")) << agent.log();
    const auto onScreen = [] { return visibleWindowNamed("Tessarin dock").has_value(); };
    ctl(home, {"dock", "show"});
    ASSERT_TRUE(waitFor(onScreen));

    // Another workspace: the dock stays behind, and says where it is.
    run({"/usr/bin/wmctrl", "-s", "1"});
    ASSERT_TRUE(waitFor([&] { return dock(home).parkedElsewhere; })) << agent.log();
    EXPECT_FALSE(dock(home).visible);
    EXPECT_TRUE(waitFor([&] { return !onScreen(); }));
    // Shown again there: it moves to this workspace and belongs to it from now on.
    ctl(home, {"dock", "toggle"});
    EXPECT_TRUE(dock(home).visible);
    EXPECT_FALSE(dock(home).parkedElsewhere);
    EXPECT_TRUE(waitFor(onScreen));
    run({"/usr/bin/wmctrl", "-s", "0"});
    ASSERT_TRUE(waitFor([&] { return dock(home).parkedElsewhere; })) << agent.log();
    EXPECT_TRUE(waitFor([&] { return !onScreen(); }));
    run({"/usr/bin/wmctrl", "-s", "1"});
    EXPECT_TRUE(waitFor(onScreen));
    EXPECT_TRUE(dock(home).visible);

    // Its shortcut hides it and shows it again.
    ctl(home, {"shortcut", "floating-dock", "Super+Alt+3"});
    keys.tap({keycode::super, keycode::alt, keycode::three});
    ASSERT_TRUE(waitFor([&] { return !dock(home).visible; })) << agent.log();
    EXPECT_TRUE(waitFor([&] { return !onScreen(); }));
    keys.tap({keycode::super, keycode::alt, keycode::three});
    ASSERT_TRUE(waitFor([&] { return dock(home).visible; })) << agent.log();
    EXPECT_TRUE(waitFor(onScreen));
}

TEST(HotCorner, RestingTogglesTheDockButNotDuringADragNorOverAFullScreenWindow) {
    splitIntoTwoMonitors();
    UserHome home;
    home.setUp("Home", {"Home", "Work"}, 1, [](Config& c) {
        c.settings.floatingDockCorner = FloatingDockCorner::topRight;
        c.settings.floatingDockCornerDwellMs = 300;
    });
    Pointer pointer;
    pointer.moveTo(1900, 400);
    Agent agent(home);
    ASSERT_TRUE(agent.waitForLog("hot corner topRight watched, dwell 300 ms")) << agent.log();
    const auto shown = [&] { return count(agent.log(), "hot corner: floating dock shown"); };
    const auto hidden = [&] { return count(agent.log(), "hot corner: floating dock hidden"); };
    const int right = screenWidth - 1;

    // Resting in the top-right corner of the right screen shows the dock there, once.
    pointer.moveTo(right, 0);
    ASSERT_TRUE(waitFor([&] { return shown() == 1; })) << agent.log();
    EXPECT_TRUE(dock(home).visible);
    EXPECT_EQ(dock(home).screen, "right");
    screenshot("dock-from-corner.png");
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
    const pid_t fullScreen = test::spawn({TESSARIN_DOCK_CLIENT, "fullscreen"}, {});
    ASSERT_TRUE(waitFor([] {
        return run({"/usr/bin/xdotool", "getactivewindow", "getwindowname"}).out == "Full screen\n";
    }));
    pointer.moveTo(1000, 300);
    dock(home);
    pointer.moveTo(right, 0);
    ASSERT_TRUE(waitFor([&] { return agent.logHas("hot corner ignored: a full-screen window is active"); }))
        << agent.log();
    EXPECT_FALSE(dock(home).visible);
    ctl(home, {"dock", "show"});
    pointer.moveTo(right - 200, 200);
    dock(home);
    pointer.moveTo(right, 0);
    ASSERT_TRUE(waitFor([&] { return hidden() == 3; })) << agent.log();
    EXPECT_EQ(shown(), 2u);
    ::kill(fullScreen, SIGKILL);
    ::waitpid(fullScreen, nullptr, 0);
}
