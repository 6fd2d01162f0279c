// What the user sees of a switch, on a two-monitor X session: the desktop cue over the wallpaper of
// every screen (clicks falling through it), the blur cover and the sweep while the items move, and
// the session's light/dark scheme following the desktop. Run with and without a compositor.
#include "Session.h"
#include "support/RunProcess.h"

#include <algorithm>
#include <cstdlib>
#include <gtest/gtest.h>
#include <xcb/xcb.h>

using namespace tessarin;
using namespace tessarin::e2e;

namespace {

constexpr QRgb wallpaperGrey = 0xff808080;

// The test's own X connection: a wallpaper of one colour published on the root window, a stand-in
// for a desktop-icon window (a window of the desktop type painted the same colour) that reports the
// clicks it gets, and the monitors of the one wide screen.
class Desk {
public:
    Desk() : connection_(xcb_connect(nullptr, nullptr)) {
        screen_ = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data;
    }
    ~Desk() {
        if (desktop_)
            xcb_destroy_window(connection_, desktop_);
        xcb_disconnect(connection_);
        if (split_)
            splitScreen(false);
    }

    int width() const { return screen_->width_in_pixels; }
    int height() const { return screen_->height_in_pixels; }

    bool compositing() {
        xcb_get_selection_owner_reply_t* owner = xcb_get_selection_owner_reply(
            connection_, xcb_get_selection_owner(connection_, atom("_NET_WM_CM_S0")), nullptr);
        const bool found = owner && owner->owner != XCB_NONE;
        free(owner);
        return found;
    }

    // The root's background and the published wallpaper picture, as desktops set them.
    void publishWallpaper(QRgb colour) {
        const xcb_pixmap_t pixmap = xcb_generate_id(connection_);
        xcb_create_pixmap(connection_, screen_->root_depth, pixmap, screen_->root, screen_->width_in_pixels,
                          screen_->height_in_pixels);
        const xcb_gcontext_t gc = xcb_generate_id(connection_);
        const uint32_t foreground = colour & 0xffffff;
        xcb_create_gc(connection_, gc, pixmap, XCB_GC_FOREGROUND, &foreground);
        const xcb_rectangle_t all{0, 0, screen_->width_in_pixels, screen_->height_in_pixels};
        xcb_poly_fill_rectangle(connection_, pixmap, gc, 1, &all);
        xcb_change_window_attributes(connection_, screen_->root, XCB_CW_BACK_PIXMAP, &pixmap);
        xcb_clear_area(connection_, 0, screen_->root, 0, 0, 0, 0);
        xcb_change_property(connection_, XCB_PROP_MODE_REPLACE, screen_->root, atom("_XROOTPMAP_ID"),
                            XCB_ATOM_PIXMAP, 32, 1, &pixmap);
        xcb_flush(connection_);
    }

    // A window of the desktop type over the whole screen, below everything else.
    void showDesktopWindow(QRgb colour) {
        desktop_ = xcb_generate_id(connection_);
        const uint32_t values[] = {colour & 0xffffff,
                                   XCB_EVENT_MASK_BUTTON_PRESS | XCB_EVENT_MASK_STRUCTURE_NOTIFY};
        xcb_create_window(connection_, XCB_COPY_FROM_PARENT, desktop_, screen_->root, 0, 0,
                          screen_->width_in_pixels, screen_->height_in_pixels, 0,
                          XCB_WINDOW_CLASS_INPUT_OUTPUT, XCB_COPY_FROM_PARENT,
                          XCB_CW_BACK_PIXEL | XCB_CW_EVENT_MASK, values);
        const xcb_atom_t type = atom("_NET_WM_WINDOW_TYPE_DESKTOP");
        xcb_change_property(connection_, XCB_PROP_MODE_REPLACE, desktop_, atom("_NET_WM_WINDOW_TYPE"),
                            XCB_ATOM_ATOM, 32, 1, &type);
        xcb_map_window(connection_, desktop_);
        xcb_flush(connection_);
        ASSERT_TRUE(waitFor([&] { return drain(XCB_MAP_NOTIFY); }));
    }

    // The screen as shown, in one request: quicker than a screenshot through a separate program.
    QImage grab() {
        xcb_get_image_reply_t* image =
            xcb_get_image_reply(connection_,
                                xcb_get_image(connection_, XCB_IMAGE_FORMAT_Z_PIXMAP, screen_->root, 0, 0,
                                              screen_->width_in_pixels, screen_->height_in_pixels, ~0u),
                                nullptr);
        QImage shot;
        if (image && xcb_get_image_data_length(image) == width() * height() * 4)
            shot = QImage(xcb_get_image_data(image), width(), height(), QImage::Format_RGB32).copy();
        free(image);
        return shot;
    }

    // A click reached the desktop window.
    bool clicked() { return drain(XCB_BUTTON_PRESS); }

    // Two monitors side by side on the one wide screen, or one again.
    void splitScreen(bool split) {
        split_ = split;
        e2e::splitScreen(split);
    }

private:
    xcb_atom_t atom(const char* name) {
        xcb_intern_atom_reply_t* r = xcb_intern_atom_reply(
            connection_, xcb_intern_atom(connection_, 0, static_cast<uint16_t>(strlen(name)), name), nullptr);
        const xcb_atom_t a = r ? r->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
        free(r);
        return a;
    }
    // Reads the pending events; whether one of `type` for the desktop window was among them.
    bool drain(uint8_t type) {
        bool seen = false;
        while (xcb_generic_event_t* e = xcb_poll_for_event(connection_)) {
            seen = seen || (e->response_type & 0x7f) == type;
            free(e);
        }
        return seen;
    }

    xcb_connection_t* connection_;
    xcb_screen_t* screen_ = nullptr;
    xcb_window_t desktop_ = 0;
    bool split_ = false;
};

bool near(QRgb actual, QRgb expected, int tolerance = 8) {
    return std::abs(qRed(actual) - qRed(expected)) <= tolerance &&
           std::abs(qGreen(actual) - qGreen(expected)) <= tolerance &&
           std::abs(qBlue(actual) - qBlue(expected)) <= tolerance;
}

// `colour` at `opacity` over the grey wallpaper.
QRgb over(QRgb colour, double opacity) {
    auto mix = [&](int c, int w) { return static_cast<int>(std::lround(c * opacity + w * (1 - opacity))); };
    return qRgb(mix(qRed(colour), qRed(wallpaperGrey)), mix(qGreen(colour), qGreen(wallpaperGrey)),
                mix(qBlue(colour), qBlue(wallpaperGrey)));
}

// Some pixel of row `y` is near none of `colours`: something is drawn over the bare cues. (A blur of a
// flat colour differs from it by its tint only: a few levels.)
bool coveredSomewhere(const QImage& shot, int y, std::initializer_list<QRgb> colours) {
    for (int x = 0; x < shot.width(); x += 4)
        if (std::none_of(colours.begin(), colours.end(), [&](QRgb c) { return near(shot.pixel(x, y), c); }))
            return true;
    return false;
}

std::string hex(QRgb c) {
    char text[16];
    std::snprintf(text, sizeof text, "#%02X%02X%02X", qRed(c), qGreen(c), qBlue(c));
    return text;
}

std::vector<Window> windowsNamed(const std::string& prefix) {
    std::vector<Window> found;
    for (const auto& w : visibleWindows())
        if (w.name.starts_with(prefix))
            found.push_back(w);
    return found;
}

// How many windows whose name starts with `prefix` are mapped (one quick query); -1 when the query
// failed (a window went away while xdotool looked at it).
int countShown(const std::string& prefix) {
    const Output found = run({"/usr/bin/xdotool", "search", "--onlyvisible", "--name", "^" + prefix});
    if (!found.err.empty())
        return -1;
    return static_cast<int>(std::count(found.out.begin(), found.out.end(), '\n'));
}

// The session as the tests want it: a grey wallpaper, and a desktop-icon window of the same grey.
struct ScreenWorld {
    Desk desk;
    UserHome home;
    std::string variant;

    ScreenWorld() {
        desk.publishWallpaper(wallpaperGrey);
        desk.showDesktopWindow(wallpaperGrey);
        variant = desk.compositing() ? "composited" : "plain";
    }
    std::string artifact(const std::string& name) const { return name + "-" + variant + ".png"; }
    struct Spot {
        int x, y;
        QRgb colour;
    };
    // Waits until one screenshot shows every spot in its colour (each band is its own window, drawn in
    // its own time), a failure for each spot that is wrong in the last one.
    void waitForPixels(const std::string& name, const std::vector<Spot>& spots) {
        QImage shot;
        const auto holds = [&](const Spot& s) { return near(shot.pixel(s.x, s.y), s.colour); };
        waitFor(
            [&] {
                shot = screenshot(artifact(name));
                return std::all_of(spots.begin(), spots.end(), holds);
            },
            std::chrono::seconds(10));
        for (const Spot& s : spots)
            EXPECT_TRUE(holds(s)) << name << " at " << s.x << "," << s.y << ": " << hex(shot.pixel(s.x, s.y));
    }
    void waitForPixel(const std::string& name, int x, int y, QRgb expected) {
        waitForPixels(name, {{x, y, expected}});
    }
};

} // namespace

TEST(Cue, ColourOverTheWallpaperOfEveryScreenAndClicksPassThrough) {
    ScreenWorld w;
    w.home.setUp("Home", {"Home", "Work"});
    Agent agent(w.home);
    ASSERT_TRUE(waitForAgentOnBus()) << agent.log();

    ASSERT_TRUE(ctlSucceeds(w.home, {"cue", "Home", "color", "#0000FF", "--opacity", "0.5"}));
    const QRgb blue = over(0xff0000ff, 0.5);
    w.waitForPixel("cue-one-monitor", 300, 400, blue);
    EXPECT_EQ(windowsNamed("Tessarin cue").size(), 1u);

    // A second monitor appears: one band per screen, each over its own screen.
    w.desk.splitScreen(true);
    ASSERT_TRUE(waitFor([] { return windowsNamed("Tessarin cue").size() == 2; })) << agent.log();
    const int half = w.desk.width() / 2;
    w.waitForPixels(
        "cue-two-monitors",
        {{300, 400, blue}, {half - 2, 400, blue}, {half + 2, 400, blue}, {half + 300, 400, blue}});
    for (const auto& band : windowsNamed("Tessarin cue"))
        EXPECT_LE(band.width, half + 1) << band.name;

    // The bands let clicks through to the desktop-icon window beneath.
    clickAt(half + 200, 500);
    EXPECT_TRUE(waitFor([&] { return w.desk.clicked(); }, std::chrono::seconds(5)));
    clickAt(200, 600);
    EXPECT_TRUE(waitFor([&] { return w.desk.clicked(); }, std::chrono::seconds(5)));

    // A picture instead: stretched over each screen on its own, left half green, right half magenta.
    QImage picture(2, 1, QImage::Format_RGB32);
    picture.setPixel(0, 0, 0xff00ff00);
    picture.setPixel(1, 0, 0xffff00ff);
    const std::string path = (w.home.path() / "halves.png").string();
    ASSERT_TRUE(picture.save(QString::fromStdString(path)));
    ASSERT_TRUE(ctlSucceeds(w.home, {"cue", "Home", "image", path, "--opacity", "0.5"}));
    const QRgb green = over(0xff00ff00, 0.5);
    const QRgb magenta = over(0xffff00ff, 0.5);
    std::vector<ScreenWorld::Spot> halves;
    for (const int left : {0, half})
        halves.insert(halves.end(), {{left + half / 8, 400, green}, {left + half - half / 8, 400, magenta}});
    w.waitForPixels("cue-picture-two-monitors", halves);

    // Muted overlays take every band away; a monitor removed leaves one band when they come back.
    ASSERT_TRUE(ctlSucceeds(w.home, {"set", "overlaysMuted", "true"}));
    EXPECT_TRUE(waitFor([] { return windowsNamed("Tessarin cue").empty(); })) << agent.log();
    w.desk.splitScreen(false);
    ASSERT_TRUE(ctlSucceeds(w.home, {"set", "overlaysMuted", "false"}));
    EXPECT_TRUE(waitFor([] { return windowsNamed("Tessarin cue").size() == 1; })) << agent.log();
}

TEST(Transition, CoversWhileSwitchingAndGoesAway) {
    struct Case {
        std::string look;
        std::string window; // the transition's windows
        std::string artifact;
    } cases[] = {
        // Slow: the longest a look lasts, so that a screenshot falls inside it on a busy machine. (The
        // other covers differ from the frost only in their tint.)
        {"frost", "Tessarin cover", "blur-cover-during-switch"},
        {"vertical", "Tessarin sweep", "sweep-band-during-switch"},
    };
    ScreenWorld w;
    w.desk.splitScreen(true);
    // The cover also waits two seconds after the icons settled: time for a screenshot on a busy machine.
    w.home.setUp("Home", {"Home", "Work"}, 100, [](Config& c) { c.settings.switchRevealHoldMs = 2000; });
    Agent agent(w.home);
    ASSERT_TRUE(waitForAgentOnBus()) << agent.log();
    for (const char* desktop : {"Home", "Work"})
        ASSERT_TRUE(ctlSucceeds(w.home, {"cue", desktop, "color",
                                         desktop == std::string("Home") ? "#0000FF" : "#FF0000", "--opacity",
                                         "0.5"}));
    const int half = w.desk.width() / 2;
    w.waitForPixel("cue-before-switch", half + 300, 400, over(0xff0000ff, 0.5));

    std::string target = "Work";
    for (const auto& c : cases) {
        SCOPED_TRACE(c.look);
        ASSERT_TRUE(ctlSucceeds(w.home, {"look", c.look, "--speed", "slow"}));
        const pid_t switching = test::spawn({TESSARIN_CTL, "switch", target}, w.home.env());
        const QRgb cue = over(target == "Work" ? 0xffff0000 : 0xff0000ff, 0.5);
        const QRgb before = over(target == "Work" ? 0xff0000ff : 0xffff0000, 0.5);
        // Up on both screens while the switch runs; neither desktop's bare cue shows everywhere.
        EXPECT_TRUE(waitFor([&] { return countShown(c.window) == 2; }, std::chrono::seconds(5)))
            << agent.log();
        QImage during;
        EXPECT_TRUE(waitFor(
            [&] {
                return coveredSomewhere(during = w.desk.grab(), 400, {cue, before});
            },
            std::chrono::seconds(3)));
        saveArtifact(during, w.artifact(c.artifact));
        ASSERT_EQ(test::waitFor(switching), 0);
        ASSERT_TRUE(waitFor([&] { return countShown(c.window) == 0; }, std::chrono::seconds(10)));
        w.waitForPixel(c.artifact + "-gone", half + 300, 400, cue);
        EXPECT_EQ(UserHome::listing(w.home.desktop()).front(), target + " 0.txt");
        target = target == "Work" ? "Home" : "Work";
    }
}

TEST(Appearance, GnomeSchemeFollowsTheDesktopAndTheUsersOwnComesBack) {
    UserHome home;
    home.setUp("Home", {"Home", "Work", "Night"});
    Env gnome = home.env();
    gnome["XDG_CURRENT_DESKTOP"] = "GNOME";
    gnome["GSETTINGS_BACKEND"] = "keyfile";
    auto scheme = [&] {
        std::string text =
            run({"/usr/bin/gsettings", "get", "org.gnome.desktop.interface", "color-scheme"}, gnome).out;
        return text.substr(0, text.find_last_not_of("\n") + 1);
    };
    ASSERT_EQ(
        run({"/usr/bin/gsettings", "set", "org.gnome.desktop.interface", "color-scheme", "prefer-light"},
            gnome)
            .status,
        0);
    Agent agent(home, "agent.log", gnome);
    ASSERT_TRUE(waitForAgentOnBus()) << agent.log();
    for (const char* desktop : {"Work", "Night"})
        ASSERT_TRUE(ctlSucceeds(home, {"appearance", desktop, "dark"}));

    struct Step {
        std::string target;
        std::string scheme;
    } steps[] = {
        {"Work", "'prefer-dark'"},  {"Night", "'prefer-dark'"}, // already dark: nothing to flip
        {"Home", "'prefer-light'"},                             // the user's own scheme, not just "light"
        {"Night", "'prefer-dark'"}, {"Home", "'prefer-light'"},
    };
    for (const auto& s : steps) {
        SCOPED_TRACE(s.target);
        ASSERT_TRUE(ctlSucceeds(home, {"switch", s.target}));
        EXPECT_EQ(scheme(), s.scheme) << agent.log();
    }
    EXPECT_FALSE(agent.logHas("appearance flip")) << agent.log();
}
