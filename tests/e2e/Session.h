#pragma once

// Helpers for driving the agent inside the private X session: processes, windows, screenshots, input.

#include "model/Config.h"
#include "support/TempHome.h"

#include <QImage>
#include <chrono>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace tessarin::e2e {

using Env = std::map<std::string, std::string>;

struct Output {
    int status = -1;
    std::string out;
    std::string err;
};

// Runs a program to its end (argv[0] is an absolute path) with extra environment variables.
Output run(const std::vector<std::string>& argv, const Env& env = {});

// Runs the event loop (D-Bus calls to the test are answered meanwhile) until `done` holds; false when
// `timeout` passed first.
bool waitFor(const std::function<bool()>& done, std::chrono::milliseconds timeout = std::chrono::seconds(10));

// A user's home for one agent: a Desktop with items, the store, and the agent's log.
class UserHome {
public:
    UserHome();
    const std::filesystem::path& path() const { return home_.path(); }
    std::filesystem::path desktop() const { return path() / "Desktop"; }
    std::filesystem::path store() const { return path() / "Tessarin Desktops"; }
    std::filesystem::path folder(const std::string& desktop) const { return store() / desktop; }
    std::filesystem::path config() const { return store() / ".store" / "config.json"; }
    std::filesystem::path journal() const { return store() / ".store" / "journal.json"; }
    Env env() const;

    // Saves a document with these live desktops (and the blank one), `active` on the Desktop; each
    // desktop's folder gets `items` files named "<desktop> <n>.txt" (the active one's on the Desktop).
    void setUp(const std::string& active, const std::vector<std::string>& desktops, int items = 2,
               const std::function<void(Config&)>& adjust = {});
    Config document() const;
    static std::vector<std::string> listing(const std::filesystem::path& folder);

private:
    test::TempHome home_;
};

// The agent process with its log in a file.
class Agent {
public:
    // `extra`: environment variables besides the home's.
    explicit Agent(const UserHome& home, const std::string& logName = "agent.log", const Env& extra = {});
    // Another agent program (an installed one, a fake AppImage), with extra environment variables.
    Agent(const UserHome& home, const std::string& logName, const std::string& program, const Env& extra);
    ~Agent();
    Agent(const Agent&) = delete;
    Agent& operator=(const Agent&) = delete;

    pid_t pid() const { return pid_; }
    std::string log() const;
    bool logHas(const std::string& text) const { return log().find(text) != std::string::npos; }
    // How many times `text` occurs in the log.
    size_t logCount(const std::string& text) const;
    bool waitForLog(const std::string& text,
                    std::chrono::milliseconds timeout = std::chrono::seconds(10)) const;
    // The exit status when the agent ended within `timeout` (128 + signal when killed).
    std::optional<int> waitForExit(std::chrono::milliseconds timeout);
    void signal(int sig);
    bool running();

private:
    std::filesystem::path logPath_;
    pid_t pid_ = -1;
    std::optional<int> status_;
};

// The agent's bus name has an owner.
bool agentOnBus();
// The process that owns the agent's bus name; none when nobody does.
std::optional<pid_t> agentPidOnBus();
bool waitForAgentOnBus(std::chrono::milliseconds timeout = std::chrono::seconds(10));

Output tessarinctl(const UserHome& home, const std::vector<std::string>& args);
// tessarinctl that is to succeed: false, with a failure naming its error output, when it did not.
bool ctlSucceeds(const UserHome& home, const std::vector<std::string>& args);
// Waits until the document names `name` the active desktop.
bool waitForActive(const UserHome& home, const std::string& name,
                   std::chrono::milliseconds timeout = std::chrono::seconds(10));

// A program started for the test (argv[0] an absolute path), ended with SIGTERM, else SIGKILL, when the
// object goes.
class Process {
public:
    Process(const std::vector<std::string>& argv, const Env& env);
    ~Process() { stop(); }
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;
    pid_t pid() const { return pid_; }
    void stop();

private:
    pid_t pid_ = -1;
};

// X windows.
struct Window {
    std::string id;
    std::string name;
    std::string instance;                    // WM_CLASS instance name
    int x = 0, y = 0, width = 0, height = 0; // absolute
};
std::vector<Window> visibleWindows();
std::optional<Window> trayIcon(); // the agent's icon inside the panel
// A visible window of the agent that is not its tray icon and was not there before (a menu, an alert).
std::optional<Window> newAgentWindow(const std::vector<Window>& before);
// The first visible window whose title starts with `name` (Qt appends " — Tessarin" to most).
std::optional<Window> visibleWindowNamed(const std::string& name);
// An alert of the agent (a message box titled "Tessarin").
std::optional<Window> visibleAlert();
// The first window `find` finds within `timeout`.
std::optional<Window> waitForWindow(const std::function<std::optional<Window>()>& find,
                                    std::chrono::milliseconds timeout = std::chrono::seconds(10));
// Waits until `find` finds no window.
bool waitForNoWindow(const std::function<std::optional<Window>()>& find);
// The status menu, opened with a click on the agent's tray icon.
std::optional<Window> openStatusMenu(const Window& icon);
// Activates `window` and presses the keys (xdotool's names) in it.
void keysIn(const Window& window, const std::vector<std::string>& keys);

// The whole screen, saved under the artifacts (TESSARIN_TEST_ARTIFACTS) for a person to look at.
QImage screenshot(const std::string& artifactName);
void saveArtifact(const QImage& image, const std::string& name);
// Runs of pixels along the middle row of `area` that stand out from `background` (grey levels more
// than 60 apart), as (x, width).
std::vector<std::pair<int, int>> contrastRuns(const QImage& image, const QRect& area, QRgb background);

void xdotool(const std::vector<std::string>& args);
void clickAt(int x, int y, int button = 1);
// The one X screen as two monitors side by side, "left" (the primary) and "right", or one again.
void splitScreen(bool split);
// The window manager shows its workspace `index` (from 0).
void showWorkspace(int index);

} // namespace tessarin::e2e
