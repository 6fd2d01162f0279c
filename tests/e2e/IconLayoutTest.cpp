// Icon layouts on the real desktop-icon hosts: a desktop whose icons were arranged comes back, after
// switching away and back, with every icon where it stood, whether the switch runs in the agent, in
// tessarinctl alone, or is cut short by a kill and finished at the next start.

#include "Session.h"
#include "store/FileStateStore.h"
#include "support/Files.h"
#include "support/RunProcess.h"

#include <QElapsedTimer>
#include <csignal>
#include <gtest/gtest.h>
#include <sstream>

using namespace tessarin;
using namespace tessarin::e2e;

namespace {

namespace fs = std::filesystem;
using Cells = std::map<std::string, std::pair<int, int>>; // item -> host position

enum class Host { caja, xfdesktop };

// A desktop-icon host started for one user's home.
std::unique_ptr<Process> startHost(Host host, const UserHome& home) {
    return std::make_unique<Process>(host == Host::caja
                                         ? std::vector<std::string>{"/usr/bin/caja", "-n", "--force-desktop"}
                                         : std::vector<std::string>{"/usr/bin/xfdesktop"},
                                     home.env());
}

fs::path xfdesktopIconFile(const UserHome& home) {
    std::error_code ec;
    return fs::canonical(home.path() / ".config/xfce4/desktop/icons.screen.latest.rc", ec);
}

// The positions the host keeps for these Desktop items, read from its own records.
Cells hostPositions(Host host, const UserHome& home, const std::vector<std::string>& names) {
    Cells cells;
    if (host == Host::caja) {
        for (const auto& name : names) {
            const std::string out = run({"/usr/bin/gio", "info", "-a", "metadata::caja-icon-position",
                                         (home.desktop() / name).string()},
                                        home.env())
                                        .out;
            int x = 0, y = 0;
            const auto at = out.find("caja-icon-position: ");
            if (at != std::string::npos && std::sscanf(out.c_str() + at + 20, "%d,%d", &x, &y) == 2)
                cells[name] = {x, y};
        }
        return cells;
    }
    std::istringstream file(test::readFile(xfdesktopIconFile(home)));
    std::string line, group;
    while (std::getline(file, line)) {
        if (line.starts_with("["))
            group = line.substr(1, line.rfind(']') - 1);
        const fs::path item(group);
        const std::string name = item.filename().string();
        if (item.parent_path() != home.desktop() ||
            std::find(names.begin(), names.end(), name) == names.end())
            continue;
        if (line.starts_with("row="))
            cells[name].second = std::stoi(line.substr(4));
        if (line.starts_with("col="))
            cells[name].first = std::stoi(line.substr(4));
    }
    return cells;
}

// Caja stamps the position of each icon it has laid out; xfdesktop gives no such sign, and is only
// waited for by the screen standing still.
bool laidOut(Host host, const UserHome& home) {
    if (host != Host::caja)
        return true;
    for (const auto& name : UserHome::listing(home.desktop()))
        if (run({"/usr/bin/gio", "info", "-a", "metadata::caja-icon-position-timestamp",
                 (home.desktop() / name).string()},
                home.env())
                .out.find("timestamp: ") == std::string::npos)
            return false;
    return true;
}

// Arranges the Desktop's icons as a user would have: positions in the host's own records, which the
// host reads when it starts. `stale` are records left by earlier items of those names, gone since.
void arrange(Host host, const UserHome& home, const Cells& cells, const Cells& stale,
             std::unique_ptr<Process>& process) {
    if (host == Host::caja) {
        for (const Cells* entries : {&cells, &stale})
            for (const auto& [name, xy] : *entries) {
                const fs::path item = home.desktop() / name;
                if (entries == &stale)
                    test::writeFile(item, "earlier");
                run({"/usr/bin/gio", "set", "-t", "string", item.string(), "metadata::caja-icon-position",
                     std::to_string(xy.first) + "," + std::to_string(xy.second)},
                    home.env());
                if (entries == &stale)
                    fs::remove(item);
            }
        process = startHost(host, home);
        return;
    }
    // xfdesktop names its icon file after the size of its icon area: let it write the file first.
    process = startHost(host, home);
    std::vector<std::string> names;
    for (const auto& [name, _] : cells)
        names.push_back(name);
    ASSERT_TRUE(waitFor([&] { return hostPositions(host, home, names).size() == names.size(); }));
    process.reset();
    // A group given again overrides the earlier one, in xfdesktop's reading as in hostPositions().
    std::string text = test::readFile(xfdesktopIconFile(home));
    for (const Cells* entries : {&cells, &stale})
        for (const auto& [name, cell] : *entries)
            text += "\n[" + (home.desktop() / name).string() + "]\nrow=" + std::to_string(cell.second) +
                    "\ncol=" + std::to_string(cell.first) + "\n";
    test::writeFile(xfdesktopIconFile(home), text);
    process = startHost(host, home);
}

// The screen below the panel.
QImage desktopArea(const std::string& artifact) {
    const QImage shot = screenshot(artifact);
    return shot.copy(0, 31, shot.width(), shot.height() - 31);
}

// A screenshot once the host has laid out the Desktop's icons and stopped drawing: not one colour,
// unchanged for a second.
QImage settledDesktop(Host host, const UserHome& home, const std::string& artifact) {
    EXPECT_TRUE(waitFor([&] { return laidOut(host, home); }, std::chrono::seconds(20)));
    QImage last = desktopArea(artifact);
    QElapsedTimer unchanged;
    unchanged.start();
    const auto blank = [](const QImage& image) {
        for (int i = 1; i < 100; ++i)
            if (image.pixel(i * (image.width() - 1) / 99, i * (image.height() - 1) / 99) != image.pixel(0, 0))
                return false;
        return true;
    };
    EXPECT_TRUE(waitFor(
        [&] {
            QImage now = desktopArea(artifact);
            if (now != last || blank(now)) {
                last = std::move(now);
                unchanged.restart();
            }
            return unchanged.elapsed() >= 1000;
        },
        std::chrono::seconds(20)))
        << "the host kept drawing";
    return last;
}

// The screen shows `expected` within `area` (all of it by default).
bool desktopLooksLike(const QImage& expected, const std::string& artifact, QRect area = {}) {
    if (area.isNull())
        area = expected.rect();
    return waitFor([&] { return desktopArea(artifact).copy(area) == expected.copy(area); },
                   std::chrono::seconds(10));
}

enum class Way { agent, tessarinctlAlone, agentKilledMidSwitch };

struct Case {
    Host host;
    Way way;
    const char* name;
};

std::string hostLine(Host host) {
    return host == Host::caja ? "desktop icon host: caja" : "desktop icon host: xfdesktop";
}

// Switches to `target` the way the case says.
void switchTo(const Case& c, const UserHome& home, std::unique_ptr<Agent>& agent, const std::string& target,
              bool firstSwitch = false) {
    if (c.way == Way::tessarinctlAlone) {
        const Output o = tessarinctl(home, {"--verbose", "switch", target});
        ASSERT_EQ(o.status, 0) << o.err;
        ASSERT_NE(o.err.find(hostLine(c.host)), std::string::npos) << o.err;
        return;
    }
    if (!agent) {
        agent = std::make_unique<Agent>(home);
        ASSERT_TRUE(waitForAgentOnBus()) << agent->log();
        ASSERT_TRUE(agent->waitForLog(hostLine(c.host))) << agent->log();
    }
    if (c.way == Way::agentKilledMidSwitch && firstSwitch) {
        // The agent pauses between taking the Desktop's items away and bringing Work's: it dies there.
        const pid_t ctl = test::spawn({TESSARIN_CTL, "switch", target}, home.env());
        ASSERT_TRUE(
            waitFor([&] { return UserHome::listing(home.desktop()).empty(); }, std::chrono::seconds(20)));
        agent->signal(SIGKILL);
        ASSERT_EQ(agent->waitForExit(std::chrono::seconds(5)), 128 + SIGKILL);
        test::waitFor(ctl);
        ASSERT_TRUE(fs::exists(home.journal()));
        Config document = home.document();
        document.settings.moveGapMs = 10;
        FileStateStore(home.config(), home.journal()).saveConfig(document);
        agent = std::make_unique<Agent>(home, "restarted.log");
        ASSERT_TRUE(agent->waitForLog("crash recovery complete")) << agent->log();
        ASSERT_TRUE(waitForAgentOnBus()) << agent->log();
        return;
    }
    ASSERT_TRUE(ctlSucceeds(home, {"switch", target})) << agent->log();
}

void roundTrip(const Case& c) {
    SCOPED_TRACE(c.name);
    UserHome home;
    home.setUp("Home", {"Home", "Work"}, 2, [&](Config& config) {
        if (c.way == Way::agentKilledMidSwitch)
            config.settings.moveGapMs = 60000;
    });
    test::writeFile(home.desktop() / "Ünïcode ✓ notes.txt", "x");
    const Cells arranged =
        c.host == Host::caja
            ? Cells{{"Home 0.txt", {420, 96}},
                    {"Home 1.txt", {760, 300}},
                    {"Ünïcode ✓ notes.txt", {1000, 540}}}
            : Cells{{"Home 0.txt", {4, 0}}, {"Home 1.txt", {7, 3}}, {"Ünïcode ✓ notes.txt", {10, 5}}};
    std::vector<std::string> homeItems;
    for (const auto& [name, _] : arranged)
        homeItems.push_back(name);
    const Cells stale =
        c.host == Host::caja ? Cells{{"Work 0.txt", {600, 500}}} : Cells{{"Work 0.txt", {9, 1}}};
    std::unique_ptr<Process> host;
    arrange(c.host, home, arranged, stale, host);
    const std::string prefix = std::string("icons-") + c.name;
    const QImage before = settledDesktop(c.host, home, prefix + "-1-home.png");
    ASSERT_EQ(hostPositions(c.host, home, homeItems), arranged);

    std::unique_ptr<Agent> agent;
    switchTo(c, home, agent, "Work", true);
    ASSERT_EQ(UserHome::listing(home.desktop()), (std::vector<std::string>{"Work 0.txt", "Work 1.txt"}));
    const QImage work = settledDesktop(c.host, home, prefix + "-2-work.png");
    // Work's icons had no saved places: the host puts them in its first free cells, not where an earlier
    // item of the same name once stood.
    EXPECT_LT(hostPositions(c.host, home, {"Work 0.txt"})["Work 0.txt"].first, c.host == Host::caja ? 150 : 1)
        << "an icon took the place of an earlier namesake";

    switchTo(c, home, agent, "Home");
    // The host's own icons (Computer, Home, Trash) keep to the left column, where its keyboard focus
    // mark comes and goes as items change; the arranged icons stand to the right of it.
    const QRect arrangedArea(150, 0, before.width() - 150, before.height());
    EXPECT_TRUE(desktopLooksLike(before, prefix + "-3-home-again.png", arrangedArea))
        << "icons moved: see the screenshots";
    EXPECT_EQ(hostPositions(c.host, home, homeItems), arranged);

    switchTo(c, home, agent, "Work");
    EXPECT_TRUE(desktopLooksLike(work, prefix + "-4-work-again.png")) << "icons moved: see the screenshots";
}

TEST(IconLayouts, OnCajaThroughTheAgent) {
    roundTrip({Host::caja, Way::agent, "caja-agent"});
}
TEST(IconLayouts, OnCajaThroughTessarinctlAlone) {
    roundTrip({Host::caja, Way::tessarinctlAlone, "caja-tessarinctl"});
}
TEST(IconLayouts, OnCajaAfterAKillMidSwitch) {
    roundTrip({Host::caja, Way::agentKilledMidSwitch, "caja-killed"});
}
TEST(IconLayouts, OnXfdesktopThroughTheAgent) {
    roundTrip({Host::xfdesktop, Way::agent, "xfdesktop-agent"});
}
TEST(IconLayouts, OnXfdesktopThroughTessarinctlAlone) {
    roundTrip({Host::xfdesktop, Way::tessarinctlAlone, "xfdesktop-tessarinctl"});
}
TEST(IconLayouts, OnXfdesktopAfterAKillMidSwitch) {
    roundTrip({Host::xfdesktop, Way::agentKilledMidSwitch, "xfdesktop-killed"});
}

TEST(IconLayouts, WithoutAHostSwitchingWorksAndTheLayoutFileStays) {
    UserHome home;
    home.setUp("Home", {"Home", "Work"}, 3);
    const fs::path layout = home.folder("Work") / ".tessarin-layout";
    const std::string kept = R"({"version":1,"hosts":{"caja":{"Work 0.txt":{"x":420,"y":96}}}})";
    test::writeFile(layout, kept);
    Agent agent(home);
    ASSERT_TRUE(waitForAgentOnBus()) << agent.log();
    ASSERT_TRUE(agent.waitForLog("desktop icon host: none found")) << agent.log();
    for (const std::string target : {"Work", "Home", "Work", "Home"})
        ASSERT_TRUE(ctlSucceeds(home, {"switch", target})) << agent.log();
    EXPECT_EQ(UserHome::listing(home.desktop()),
              (std::vector<std::string>{"Home 0.txt", "Home 1.txt", "Home 2.txt"}));
    EXPECT_EQ(UserHome::listing(home.folder("Work")),
              (std::vector<std::string>{"Work 0.txt", "Work 1.txt", "Work 2.txt"}));
    EXPECT_EQ(test::readFile(layout), kept);
    EXPECT_FALSE(fs::exists(home.desktop() / ".tessarin-layout"));
}

} // namespace
