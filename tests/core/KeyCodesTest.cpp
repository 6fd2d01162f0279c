#include "triggers/KeyCodes.h"

#include "model/ShortcutText.h"

#include <gtest/gtest.h>
#include <set>

using namespace tessarin;

// Every stored key code below 128 that names a key: letters, digits, punctuation, the named keys, keypad,
// function keys and modifiers of the Apple layout (the codes macOS leaves unused are not in it).
TEST(KeyCodes, EveryStoredKeyMapsToOneLinuxKeyAndBack) {
    const std::set<uint32_t> unused = {52, 66, 68, 70, 77, 108, 112, 127};
    std::set<uint32_t> evdevCodes;
    for (uint32_t code = 0; code < 128; ++code) {
        SCOPED_TRACE(code);
        const auto evdev = evdevKeyCode(code);
        if (unused.contains(code)) {
            EXPECT_FALSE(evdev);
            continue;
        }
        ASSERT_TRUE(evdev);
        EXPECT_TRUE(evdevCodes.insert(*evdev).second) << "two stored codes share evdev " << *evdev;
        EXPECT_EQ(keyCodeOfEvdev(*evdev), code);
    }
    // Every key with a fixed display name can be grabbed.
    for (uint32_t code = 0; code < 128; ++code) {
        if (specialKeyName(code)) {
            EXPECT_TRUE(evdevKeyCode(code)) << code;
        }
    }
}
