#include "install/UninstallFlow.h"

#include "Dialogs.h"
#include "WaitFor.h"
#include "support/World.h"

#include <gtest/gtest.h>

namespace tessarin {
namespace {

namespace fs = std::filesystem;

// Presses `button` on the alert that opens; its text.
std::string answer(const QString& button) {
    QMessageBox* box = nullptr;
    if (!test::waitFor([&] { return (box = test::openDialog()); }))
        return "no alert";
    const std::string text = (box->text() + QStringLiteral("\n") + box->informativeText()).toStdString();
    test::answer(box, button);
    test::waitFor([&] { return !box->isVisible(); });
    return text;
}

// The settings window's uninstall: asked first, then the desktops come back, the autostart entry goes
// and the program itself is revealed or its removal explained, by how it was installed. (Cancel, which
// keeps everything, is pressed in the running agent's window.)
TEST(UninstallFlow, AsksThenHandsBackThenTellsHowTheProgramGoes) {
    const struct {
        const char* name;
        InstallKind kind;
        std::string lastAlert; // start of the alert shown after the hand-back; empty for none
        bool reveals;
    } cases[] = {
        {"package", InstallKind::package,
         "Your desktops are back on your Desktop\nTo finish, remove the package: sudo apt remove tessarin",
         false},
        {"AppImage", InstallKind::appImage, "", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        test::World w;
        w.document("Home", {"Home", "Work"});
        w.put(w.folder("Work") / "plan.txt");
        Installation installation;
        installation.kind = c.kind;
        installation.prefix = "/usr";
        installation.appImage = w.home / "Applications/Tessarin.AppImage";
        AutostartEntry autostart(w.home / ".config", installation);
        autostart.turnOn();
        Alerts alerts;
        std::vector<fs::path> revealed;
        int quits = 0;
        UninstallFlow flow({w.paths,
                            w.store,
                            w.log,
                            alerts,
                            autostart,
                            installation,
                            [] { return false; },
                            [] { return false; },
                            {},
                            [&](const fs::path& f) { revealed.push_back(f); },
                            [&] { ++quits; }});

        flow.uninstallRequested();
        const std::string question = answer(QStringLiteral("Bring My Desktops Back & Uninstall"));
        EXPECT_EQ(question.substr(0, question.find('\n')), "Uninstall Tessarin?");
        if (!c.lastAlert.empty()) {
            EXPECT_EQ(quits, 0) << "the program stays until the instructions were read";
            EXPECT_EQ(answer(QStringLiteral("OK")), c.lastAlert);
        }
        EXPECT_TRUE(fs::exists(w.paths.desktop / "Work/plan.txt"));
        EXPECT_FALSE(autostart.isOn());
        EXPECT_EQ(quits, 1);
        EXPECT_EQ(revealed,
                  c.reveals ? std::vector<fs::path>{installation.appImage} : std::vector<fs::path>{});
    }
}

} // namespace
} // namespace tessarin
