#include "hotkeys/KeyRecorderView.h"

#include "Artifacts.h"
#include "SettingsFixture.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

using namespace tessarin;

namespace {

constexpr uint32_t super = modifierBits::command, alt = modifierBits::option, ctrl = modifierBits::control,
                   shift = modifierBits::shift;

// A key as the X server delivers it: its X keycode rides along as the native scan code.
void press(QWidget& view, int key, quint32 xKeycode, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QKeyEvent event(QEvent::KeyPress, key, modifiers, xKeycode, 0, 0);
    QApplication::sendEvent(&view, &event);
}

struct Window {
    Window() : view(test::usShortcutText, &frame), other(&frame) {
        frame.resize(160, 60);
        view.move(25, 19);
        other.setGeometry(0, 0, 1, 1);
        frame.show();
        frame.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&frame));
        view.setSpec(HotKeySpec{14, super}); // ⌘ + the E key
    }
    QWidget frame;
    KeyRecorderView view;
    QLineEdit other;
};

} // namespace

TEST(KeyRecorderView, RecordsACombinationWithAModifierAndObeysEscapeAndBackspace) {
    struct Case {
        const char* what;
        int key;
        quint32 xKeycode;
        Qt::KeyboardModifiers modifiers;
        bool stillRecording;
        std::optional<HotKeySpec> spec; // after the key
        int recorded, cleared;
    };
    const HotKeySpec before{14, super};
    const std::vector<Case> cases = {
        {"A alone beeps and keeps recording", Qt::Key_A, 38, Qt::NoModifier, true, before, 0, 0},
        {"Shift alone counts as a modifier", Qt::Key_A, 38, Qt::ShiftModifier, false, HotKeySpec{0, shift}, 1,
         0},
        {"Super+Alt+1", Qt::Key_1, 10, Qt::MetaModifier | Qt::AltModifier, false, HotKeySpec{18, super | alt},
         1, 0},
        {"Backspace alone clears", Qt::Key_Backspace, 22, Qt::NoModifier, false, std::nullopt, 0, 1},
        {"Backspace with a modifier is a combination", Qt::Key_Backspace, 22, Qt::ControlModifier, false,
         HotKeySpec{51, ctrl}, 1, 0},
        {"Escape cancels and keeps the shortcut", Qt::Key_Escape, 9, Qt::NoModifier, false, before, 0, 0},
        {"a modifier key on its own waits for the key", Qt::Key_Control, 37, Qt::ControlModifier, true,
         before, 0, 0},
        {"a key Tessarin can't store beeps", Qt::Key_Print, 107, Qt::MetaModifier, true, before, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Window window;
        QSignalSpy recorded(&window.view, &KeyRecorderView::recorded);
        QSignalSpy cleared(&window.view, &KeyRecorderView::cleared);
        QSignalSpy recording(&window.view, &KeyRecorderView::recordingChanged);
        QTest::mouseClick(&window.view, Qt::LeftButton);
        ASSERT_TRUE(window.view.recording());
        press(window.view, c.key, c.xKeycode, c.modifiers);
        EXPECT_EQ(window.view.recording(), c.stillRecording);
        EXPECT_EQ(window.view.spec(), c.spec);
        EXPECT_EQ(recorded.count(), c.recorded);
        EXPECT_EQ(cleared.count(), c.cleared);
        // The grabs are suspended exactly while recording.
        EXPECT_EQ(recording.count(), c.stillRecording ? 1 : 2);
        EXPECT_FALSE(window.view.hasFocus() && !c.stillRecording);
    }
}

TEST(KeyRecorderView, IgnoresKeysUntilClickedAndStopsWhenTheFocusGoes) {
    Window window;
    QSignalSpy recorded(&window.view, &KeyRecorderView::recorded);
    press(window.view, Qt::Key_1, 10, Qt::MetaModifier);
    EXPECT_EQ(recorded.count(), 0);
    EXPECT_EQ(window.view.spec(), (HotKeySpec{14, super}));

    QTest::mouseClick(&window.view, Qt::LeftButton);
    EXPECT_TRUE(window.view.recording());
    window.other.setFocus();
    EXPECT_FALSE(window.view.recording());
}

// Saved for a person to look at: the shortcut at rest, and the field while it records.
TEST(KeyRecorderView, DrawsTheShortcutAndTheRecordingState) {
    Window window;
    test::saveArtifact(window.frame.grab().toImage(), "key-recorder-idle.png");
    QTest::mouseClick(&window.view, Qt::LeftButton);
    test::saveArtifact(window.frame.grab().toImage(), "key-recorder-recording.png");
    window.view.setSpec(std::nullopt);
    press(window.view, Qt::Key_Escape, 9);
    test::saveArtifact(window.frame.grab().toImage(), "key-recorder-empty.png");
}
