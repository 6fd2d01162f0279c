#include "triggers/KeyCodes.h"

#include <utility>

namespace tessarin {

namespace {

// (stored key code, evdev code), by position on the keyboard: a key keeps its code whatever the layout.
constexpr std::pair<uint32_t, uint32_t> keys[] = {
    // Letters, by the US labels.
    {0, 30},  // A
    {1, 31},  // S
    {2, 32},  // D
    {3, 33},  // F
    {4, 35},  // H
    {5, 34},  // G
    {6, 44},  // Z
    {7, 45},  // X
    {8, 46},  // C
    {9, 47},  // V
    {11, 48}, // B
    {12, 16}, // Q
    {13, 17}, // W
    {14, 18}, // E
    {15, 19}, // R
    {16, 21}, // Y
    {17, 20}, // T
    {31, 24}, // O
    {32, 22}, // U
    {34, 23}, // I
    {35, 25}, // P
    {37, 38}, // L
    {38, 36}, // J
    {40, 37}, // K
    {45, 49}, // N
    {46, 50}, // M
    // The digit row.
    {18, 2},  // 1
    {19, 3},  // 2
    {20, 4},  // 3
    {21, 5},  // 4
    {23, 6},  // 5
    {22, 7},  // 6
    {26, 8},  // 7
    {28, 9},  // 8
    {25, 10}, // 9
    {29, 11}, // 0
    {27, 12}, // -
    {24, 13}, // =
    // Punctuation.
    {33, 26},  // [
    {30, 27},  // ]
    {41, 39},  // ;
    {39, 40},  // '
    {50, 41},  // `
    {42, 43},  // backslash
    {43, 51},  // ,
    {47, 52},  // .
    {44, 53},  // /
    {10, 86},  // the extra key of ISO keyboards, next to the left Shift
    {93, 124}, // Yen
    {94, 89},  // Ro
    // Editing and navigation.
    {36, 28},   // Return
    {48, 15},   // Tab
    {49, 57},   // Space
    {51, 14},   // Backspace
    {53, 1},    // Escape
    {117, 111}, // Delete
    {114, 110}, // Insert (Help on Apple keyboards)
    {115, 102}, // Home
    {119, 107}, // End
    {116, 104}, // Page Up
    {121, 109}, // Page Down
    {123, 105}, // Left
    {124, 106}, // Right
    {125, 108}, // Down
    {126, 103}, // Up
    {110, 127}, // Menu
    // Function keys.
    {122, 59},  // F1
    {120, 60},  // F2
    {99, 61},   // F3
    {118, 62},  // F4
    {96, 63},   // F5
    {97, 64},   // F6
    {98, 65},   // F7
    {100, 66},  // F8
    {101, 67},  // F9
    {109, 68},  // F10
    {103, 87},  // F11
    {111, 88},  // F12
    {105, 183}, // F13
    {107, 184}, // F14
    {113, 185}, // F15
    {106, 186}, // F16
    {64, 187},  // F17
    {79, 188},  // F18
    {80, 189},  // F19
    {90, 190},  // F20
    // Keypad.
    {82, 82},  // 0
    {83, 79},  // 1
    {84, 80},  // 2
    {85, 81},  // 3
    {86, 75},  // 4
    {87, 76},  // 5
    {88, 77},  // 6
    {89, 71},  // 7
    {91, 72},  // 8
    {92, 73},  // 9
    {65, 83},  // .
    {67, 55},  // *
    {69, 78},  // +
    {78, 74},  // -
    {75, 98},  // /
    {76, 96},  // Enter
    {81, 117}, // =
    {95, 95},  // , (Japanese keypads)
    {71, 69},  // Clear, where Num Lock is on PC keyboards
    // Sound.
    {72, 115}, // Volume up
    {73, 114}, // Volume down
    {74, 113}, // Mute
    // Input method keys of Japanese keyboards.
    {102, 123}, // Eisu
    {104, 122}, // Kana
    // Modifiers and locks.
    {55, 125}, // left Super
    {54, 126}, // right Super
    {56, 42},  // left Shift
    {60, 54},  // right Shift
    {58, 56},  // left Alt
    {61, 100}, // right Alt
    {59, 29},  // left Ctrl
    {62, 97},  // right Ctrl
    {57, 58},  // Caps Lock
    {63, 464}, // Fn
};

} // namespace

std::optional<uint32_t> evdevKeyCode(uint32_t keyCode) {
    for (const auto& [code, evdev] : keys)
        if (code == keyCode)
            return evdev;
    return std::nullopt;
}

std::optional<uint32_t> keyCodeOfEvdev(uint32_t evdevCode) {
    for (const auto& [code, evdev] : keys)
        if (evdev == evdevCode)
            return code;
    return std::nullopt;
}

} // namespace tessarin
