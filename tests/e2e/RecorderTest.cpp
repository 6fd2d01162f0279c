#include "Keys.h"
#include "WaitFor.h"
#include "display/DisplayServices.h"
#include "hotkeys/HotKeyCenter.h"
#include "hotkeys/KeyRecorderView.h"
#include "model/ShortcutText.h"

#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

using namespace tessarin;
using namespace tessarin::e2e;
namespace k = tessarin::e2e::keycode;
using tessarin::test::waitFor;

// The recorder and the agent's global shortcuts on a real X server: a combination in use reaches the
// recorder while it records, and fires again once it is done.
TEST(ShortcutRecorder, GetsTheCombinationFromTheGlobalGrabWhileItRecords) {
    Keyboard& keys = Keyboard::warm();
    DisplayServices display(QDBusConnection::sessionBus());
    ASSERT_TRUE(display.keys().available());
    HotKeyCenter center(display.keys());
    const HotKeySpec superAlt1{18, modifierBits::command | modifierBits::option};
    int fired = 0;
    ASSERT_TRUE(center.registerHotKey(superAlt1, [&] { ++fired; }));
    keys.tap({k::super, k::alt, k::one});
    ASSERT_TRUE(waitFor([&] { return fired == 1; }));

    QWidget window;
    window.resize(200, 80);
    KeyRecorderView recorder(
        [&](const HotKeySpec& spec) {
            return shortcutText(spec, [&](uint32_t key) { return display.keyboard().printableKeyName(key); });
        },
        &window);
    recorder.move(45, 29);
    QObject::connect(&recorder, &KeyRecorderView::recordingChanged, &center, &HotKeyCenter::setSuspended);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QTest::mouseClick(&recorder, Qt::LeftButton);
    ASSERT_TRUE(recorder.recording());

    keys.tap({k::alt, k::q}); // Alt+Q, with a key it can store
    ASSERT_TRUE(waitFor([&] { return !recorder.recording(); }));
    EXPECT_EQ(recorder.spec(), (HotKeySpec{12, modifierBits::option}));
    QTest::mouseClick(&recorder, Qt::LeftButton);
    keys.tap({k::super, k::alt, k::one});
    ASSERT_TRUE(waitFor([&] { return !recorder.recording(); }));
    EXPECT_EQ(recorder.spec(), superAlt1);
    EXPECT_EQ(fired, 1);

    // Recording is over: the shortcut is the session's again.
    keys.tap({k::super, k::alt, k::one});
    EXPECT_TRUE(waitFor([&] { return fired == 2; }));
}

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
