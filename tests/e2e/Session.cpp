#include "Session.h"

#include "model/ConfigCodec.h"
#include "store/FileStateStore.h"
#include "support/Files.h"
#include "support/RunProcess.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <regex>
#include <set>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

namespace tessarin::e2e {

namespace fs = std::filesystem;

namespace {

std::string artifactsDir() {
    const char* dir = std::getenv("TESSARIN_TEST_ARTIFACTS");
    return dir && *dir ? dir : "/tmp";
}

} // namespace

Output run(const std::vector<std::string>& argv, const Env& env) {
    char outPath[] = "/tmp/tessarin-e2e-out-XXXXXX";
    char errPath[] = "/tmp/tessarin-e2e-err-XXXXXX";
    const int outFd = ::mkstemp(outPath);
    const int errFd = ::mkstemp(errPath);
    const pid_t pid = test::spawnRedirected(argv, env, outFd, errFd);
    int status = 0;
    // Keep the event loop turning: the program may call back into this process over D-Bus.
    waitFor([&] { return ::waitpid(pid, &status, WNOHANG) == pid; }, std::chrono::minutes(5));
    Output o;
    o.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    ::close(outFd);
    ::close(errFd);
    o.out = test::readFile(outPath);
    o.err = test::readFile(errPath);
    ::unlink(outPath);
    ::unlink(errPath);
    return o;
}

bool waitFor(const std::function<bool()>& done, std::chrono::milliseconds timeout) {
    QElapsedTimer t;
    t.start();
    while (!done()) {
        if (t.elapsed() > timeout.count())
            return false;
        QEventLoop loop;
        QTimer::singleShot(10, &loop, &QEventLoop::quit);
        loop.exec();
    }
    return true;
}

UserHome::UserHome() {
    fs::create_directories(desktop());
}

Env UserHome::env() const {
    return {{"HOME", path().string()},
            {"XDG_CONFIG_HOME", (path() / ".config").string()},
            {"XDG_DATA_HOME", (path() / ".local" / "share").string()}};
}

void UserHome::setUp(const std::string& active, const std::vector<std::string>& desktops, int items,
                     const std::function<void(Config&)>& adjust) {
    Config c = makeDefaultConfig();
    c.activeWorkspace = active;
    for (const auto& name : desktops) {
        Workspace w = Workspace::make(name);
        const fs::path dir = name == active ? desktop() : folder(name);
        fs::create_directories(dir);
        for (int i = 0; i < items; ++i) {
            const std::string item = name + " " + std::to_string(i) + ".txt";
            test::writeFile(dir / item, item);
            w.files.push_back(item);
        }
        fs::create_directories(folder(name));
        c.workspaces.push_back(std::move(w));
    }
    c.workspaces.push_back(Workspace::make(std::string(Config::blankWorkspaceName)));
    c.settings.shownFirstSwitchNote = true;
    if (adjust)
        adjust(c);
    fs::create_directories(config().parent_path());
    FileStateStore(config(), journal()).saveConfig(c);
}

Config UserHome::document() const {
    return decodeConfig(test::readFile(config()));
}

std::vector<std::string> UserHome::listing(const fs::path& folder) {
    std::set<std::string> names;
    std::error_code ec;
    for (const auto& e : fs::directory_iterator(folder, ec))
        if (!e.path().filename().string().starts_with("."))
            names.insert(e.path().filename().string());
    return {names.begin(), names.end()};
}

Agent::Agent(const UserHome& home, const std::string& logName, const Env& extra)
    : Agent(home, logName, TESSARIN_AGENT, extra) {}

Agent::Agent(const UserHome& home, const std::string& logName, const std::string& program, const Env& extra)
    : logPath_(home.path() / logName) {
    Env env = home.env();
    for (const auto& [k, v] : extra)
        env[k] = v;
    const int fd = ::open(logPath_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    pid_ = test::spawnRedirected({program}, env, fd, fd);
    ::close(fd);
}

Agent::~Agent() {
    if (running()) {
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, nullptr, 0);
    }
}

std::string Agent::log() const {
    return test::readFile(logPath_);
}

bool Agent::waitForLog(const std::string& text, std::chrono::milliseconds timeout) const {
    return waitFor([&] { return logHas(text); }, timeout);
}

size_t Agent::logCount(const std::string& text) const {
    const std::string all = log();
    size_t n = 0;
    for (size_t at = all.find(text); at != std::string::npos; at = all.find(text, at + 1))
        ++n;
    return n;
}

bool Agent::running() {
    if (status_)
        return false;
    int status = 0;
    if (::waitpid(pid_, &status, WNOHANG) == pid_) {
        status_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        return false;
    }
    return true;
}

std::optional<int> Agent::waitForExit(std::chrono::milliseconds timeout) {
    waitFor([&] { return !running(); }, timeout);
    return status_;
}

void Agent::signal(int sig) {
    ::kill(pid_, sig);
}

bool agentOnBus() {
    auto* bus = QDBusConnection::sessionBus().interface();
    return bus && bus->isServiceRegistered(QStringLiteral("com.orrinvale.Tessarin")).value();
}

std::optional<pid_t> agentPidOnBus() {
    auto* bus = QDBusConnection::sessionBus().interface();
    if (!bus)
        return std::nullopt;
    const auto pid = bus->servicePid(QStringLiteral("com.orrinvale.Tessarin"));
    if (!pid.isValid())
        return std::nullopt;
    return static_cast<pid_t>(pid.value());
}

bool waitForAgentOnBus(std::chrono::milliseconds timeout) {
    return waitFor(agentOnBus, timeout);
}

Output tessarinctl(const UserHome& home, const std::vector<std::string>& args) {
    std::vector<std::string> argv = {TESSARIN_CTL};
    argv.insert(argv.end(), args.begin(), args.end());
    return run(argv, home.env());
}

bool ctlSucceeds(const UserHome& home, const std::vector<std::string>& args) {
    const Output o = tessarinctl(home, args);
    if (o.status != 0)
        ADD_FAILURE() << "tessarinctl " << (args.empty() ? "" : args.front()) << ": " << o.status << " "
                      << o.err;
    return o.status == 0;
}

bool waitForActive(const UserHome& home, const std::string& name, std::chrono::milliseconds timeout) {
    return waitFor([&] { return home.document().activeWorkspace == name; }, timeout);
}

Process::Process(const std::vector<std::string>& argv, const Env& env) : pid_(test::spawn(argv, env)) {}

void Process::stop() {
    if (pid_ <= 0)
        return;
    ::kill(pid_, SIGTERM);
    int status = 0;
    if (!waitFor([&] { return ::waitpid(pid_, &status, WNOHANG) == pid_; }, std::chrono::seconds(5))) {
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, &status, 0);
    }
    pid_ = -1;
}

std::vector<Window> visibleWindows() {
    std::set<std::string> visible;
    {
        std::istringstream ids(
            run({"/usr/bin/xdotool", "search", "--onlyvisible", "--name", "."}).out +
            run({"/usr/bin/xdotool", "search", "--onlyvisible", "--classname", "tessarin"}).out);
        std::string id;
        while (ids >> id) {
            std::ostringstream hex;
            hex << "0x" << std::hex << std::stoul(id);
            visible.insert(hex.str());
        }
    }
    std::vector<Window> windows;
    static const std::regex line(
        R"re(^\s*(0x[0-9a-f]+) (?:"(.*)"|\(has no name\)): \((?:"([^"]*)" "[^"]*")?\)\s+(\d+)x(\d+)[+-]-?\d+[+-]-?\d+\s+\+(-?\d+)\+(-?\d+))re");
    std::istringstream tree(run({"/usr/bin/xwininfo", "-root", "-tree"}).out);
    std::string text;
    while (std::getline(tree, text)) {
        std::smatch m;
        if (!std::regex_search(text, m, line) || !visible.count(m[1]))
            continue;
        windows.push_back(
            {m[1], m[2], m[3], std::stoi(m[6]), std::stoi(m[7]), std::stoi(m[4]), std::stoi(m[5])});
    }
    return windows;
}

std::optional<Window> trayIcon() {
    for (const auto& w : visibleWindows())
        if (w.instance == "tessarin" && w.width <= 64 && w.height <= 64 && w.width > 4 && w.y < 40)
            return w;
    return std::nullopt;
}

std::optional<Window> newAgentWindow(const std::vector<Window>& before) {
    for (const auto& w : visibleWindows()) {
        if (w.instance != "tessarin" || w.width <= 64)
            continue;
        bool old = false;
        for (const auto& b : before)
            old = old || b.id == w.id;
        if (!old)
            return w;
    }
    return std::nullopt;
}

std::optional<Window> visibleWindowNamed(const std::string& name) {
    for (const auto& w : visibleWindows())
        if (w.name.starts_with(name))
            return w;
    return std::nullopt;
}

std::optional<Window> visibleAlert() {
    for (const auto& w : visibleWindows())
        if (w.name == "Tessarin" && w.width > 100)
            return w;
    return std::nullopt;
}

std::optional<Window> waitForWindow(const std::function<std::optional<Window>()>& find,
                                    std::chrono::milliseconds timeout) {
    std::optional<Window> found;
    waitFor([&] { return (found = find()).has_value(); }, timeout);
    return found;
}

bool waitForNoWindow(const std::function<std::optional<Window>()>& find) {
    return waitFor([&] { return !find().has_value(); });
}

std::optional<Window> openStatusMenu(const Window& icon) {
    const auto before = visibleWindows();
    clickAt(icon.x + icon.width / 2, icon.y + icon.height / 2);
    return waitForWindow([&] { return newAgentWindow(before); });
}

void keysIn(const Window& window, const std::vector<std::string>& keys) {
    std::vector<std::string> args = {"windowactivate", "--sync", window.id, "key", "--delay", "40"};
    args.insert(args.end(), keys.begin(), keys.end());
    xdotool(args);
}

void saveArtifact(const QImage& image, const std::string& name) {
    image.save(QString::fromStdString(artifactsDir() + "/" + name));
}

QImage screenshot(const std::string& artifactName) {
    const std::string path = artifactsDir() + "/" + artifactName;
    run({"/usr/bin/import", "-window", "root", path});
    return QImage(QString::fromStdString(path));
}

std::vector<std::pair<int, int>> contrastRuns(const QImage& image, const QRect& area, QRgb background) {
    std::vector<std::pair<int, int>> runs;
    const int y = area.center().y();
    int start = -1;
    for (int x = area.left(); x <= area.right() + 1; ++x) {
        const bool light = x <= area.right() && std::abs(qGray(image.pixel(x, y)) - qGray(background)) > 60;
        if (light && start < 0)
            start = x;
        if (!light && start >= 0) {
            runs.push_back({start, x - start});
            start = -1;
        }
    }
    return runs;
}

void xdotool(const std::vector<std::string>& args) {
    std::vector<std::string> argv = {"/usr/bin/xdotool"};
    argv.insert(argv.end(), args.begin(), args.end());
    run(argv);
}

void clickAt(int x, int y, int button) {
    xdotool({"mousemove", std::to_string(x), std::to_string(y), "click", std::to_string(button)});
}

void splitScreen(bool split) {
    int width = 0, height = 0;
    std::istringstream(run({"/usr/bin/xdotool", "getdisplaygeometry"}).out) >> width >> height;
    const std::string half = std::to_string(width / 2);
    const std::string mode = half + "/338x" + std::to_string(height) + "/211";
    if (split) {
        run({"/usr/bin/xrandr", "--setmonitor", "left", mode + "+0+0", "screen"});
        run({"/usr/bin/xrandr", "--setmonitor", "right", mode + "+" + half + "+0", "none"});
    } else {
        run({"/usr/bin/xrandr", "--delmonitor", "right"});
        run({"/usr/bin/xrandr", "--delmonitor", "left"});
    }
}

void showWorkspace(int index) {
    run({"/usr/bin/wmctrl", "-s", std::to_string(index)});
}

} // namespace tessarin::e2e
