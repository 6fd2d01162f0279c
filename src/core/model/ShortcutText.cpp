#include "model/ShortcutText.h"

#include <utility>

namespace tessarin {

namespace {

constexpr std::pair<uint32_t, const char*> specialKeyNames[] = {
    {49, "Space"}, {36, "↩"},   {48, "⇥"},    {53, "⎋"},    {51, "⌫"},    {117, "⌦"}, {123, "←"},
    {124, "→"},    {126, "↑"},  {125, "↓"},   {115, "↖"},   {119, "↘"},   {116, "⇞"}, {121, "⇟"},
    {122, "F1"},   {120, "F2"}, {99, "F3"},   {118, "F4"},  {96, "F5"},   {97, "F6"}, {98, "F7"},
    {100, "F8"},   {101, "F9"}, {109, "F10"}, {103, "F11"}, {111, "F12"},
};

} // namespace

std::string modifierGlyphs(uint32_t modifiers) {
    std::string text;
    if (modifiers & modifierBits::control)
        text += "⌃";
    if (modifiers & modifierBits::option)
        text += "⌥";
    if (modifiers & modifierBits::shift)
        text += "⇧";
    if (modifiers & modifierBits::command)
        text += "⌘";
    return text;
}

std::optional<std::string> specialKeyName(uint32_t keyCode) {
    for (const auto& [code, name] : specialKeyNames)
        if (code == keyCode)
            return name;
    return std::nullopt;
}

std::string keyName(const HotKeySpec& spec, const PrintableKeyName& printable) {
    if (auto special = specialKeyName(spec.keyCode))
        return *special;
    if (printable) {
        if (auto name = printable(spec.keyCode); name && !name->empty())
            return *name;
    }
    return "Key " + std::to_string(spec.keyCode);
}

std::string shortcutText(const HotKeySpec& spec, const PrintableKeyName& printable) {
    return modifierGlyphs(spec.modifiers) + keyName(spec, printable);
}

} // namespace tessarin
