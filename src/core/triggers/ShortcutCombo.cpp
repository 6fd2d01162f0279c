#include "triggers/ShortcutCombo.h"

#include "model/ShortcutText.h"
#include "triggers/KeyCodes.h"

#include <algorithm>
#include <cctype>
#include <utility>

namespace tessarin {

namespace {

std::string lower(std::string_view text) {
    std::string result(text);
    std::transform(result.begin(), result.end(), result.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return result;
}

std::string_view trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// Modifier words, lower case, and their stored bits.
constexpr std::pair<const char*, uint32_t> modifierWords[] = {
    {"super", modifierBits::command}, {"meta", modifierBits::command},    {"win", modifierBits::command},
    {"cmd", modifierBits::command},   {"command", modifierBits::command}, {"alt", modifierBits::option},
    {"option", modifierBits::option}, {"ctrl", modifierBits::control},    {"control", modifierBits::control},
    {"shift", modifierBits::shift},
};

// Short forms people write for keys whose symbol names are longer.
constexpr std::pair<const char*, const char*> keyAliases[] = {
    {"esc", "Escape"},  {"enter", "Return"},  {"del", "Delete"},   {"backspace", "BackSpace"},
    {"ins", "Insert"},  {"pgup", "Prior"},    {"pageup", "Prior"}, {"pgdn", "Next"},
    {"pgdown", "Next"}, {"pagedown", "Next"}, {"+", "plus"},
};

// The stored codes of the modifier keys themselves (Super, Shift, Caps Lock, Alt, Ctrl, Fn).
bool isModifierKey(uint32_t keyCode) {
    return keyCode >= 54 && keyCode <= 63;
}

size_t codePoints(std::string_view text) {
    return static_cast<size_t>(
        std::count_if(text.begin(), text.end(), [](unsigned char c) { return (c & 0xC0) != 0x80; }));
}

const char* const example = "for example Super+Alt+1";

} // namespace

std::variant<HotKeySpec, std::string> parseShortcutCombo(std::string_view text,
                                                         const KeyboardLayout& layout) {
    text = trimmed(text);
    std::string_view modifiersPart;
    std::string_view keyPart;
    if (text.ends_with("++")) { // the plus key itself
        modifiersPart = text.substr(0, text.size() - 2);
        keyPart = "+";
    } else if (const auto plus = text.rfind('+'); plus != std::string_view::npos) {
        modifiersPart = text.substr(0, plus);
        keyPart = trimmed(text.substr(plus + 1));
    } else {
        keyPart = text;
    }
    if (keyPart.empty())
        return "\u201c" + std::string(text) + "\u201d has no key: end it with one, " + example + ".";

    uint32_t modifiers = 0;
    while (!modifiersPart.empty()) {
        const auto plus = modifiersPart.find('+');
        const std::string_view word = trimmed(modifiersPart.substr(0, plus));
        modifiersPart = plus == std::string_view::npos ? std::string_view{} : modifiersPart.substr(plus + 1);
        const auto known = std::find_if(std::begin(modifierWords), std::end(modifierWords),
                                        [&](const auto& m) { return lower(word) == m.first; });
        if (known == std::end(modifierWords))
            return "\u201c" + std::string(word) + "\u201d is not a modifier: use Super, Alt, Ctrl or Shift.";
        modifiers |= known->second;
    }
    if (modifiers == 0)
        return "A shortcut needs a modifier (Super, Alt, Ctrl or Shift), " + std::string(example) + ".";

    if (std::any_of(std::begin(modifierWords), std::end(modifierWords),
                    [&](const auto& m) { return lower(keyPart) == m.first; }))
        return "\u201c" + std::string(keyPart) + "\u201d is a modifier: end the shortcut with another key.";
    // "Key 114", as keys without a name in the layout are shown.
    if (const std::string key = lower(keyPart); key.starts_with("key ") && key.size() > 4 &&
                                                key.size() < 10 &&
                                                std::all_of(key.begin() + 4, key.end(), ::isdigit)) {
        const auto code = static_cast<uint32_t>(std::stoul(key.substr(4)));
        if (!evdevKeyCode(code) || isModifierKey(code))
            return "\u201c" + std::string(keyPart) + "\u201d is no key Tessarin can use in a shortcut.";
        return HotKeySpec{code, modifiers};
    }
    std::string keyName(keyPart);
    for (const auto& [alias, name] : keyAliases)
        if (lower(keyPart) == alias)
            keyName = name;
    const auto keyCode = layout.keyCodeNamed(keyName);
    if (!keyCode)
        return "No key of the current keyboard layout types \u201c" + std::string(keyPart) + "\u201d.";
    if (isModifierKey(*keyCode))
        return "\u201c" + std::string(keyPart) + "\u201d is a modifier: end the shortcut with another key.";
    return HotKeySpec{*keyCode, modifiers};
}

std::string shortcutComboText(const HotKeySpec& spec, const KeyboardLayout& layout) {
    std::string text;
    if (spec.modifiers & modifierBits::command)
        text += "Super+";
    if (spec.modifiers & modifierBits::control)
        text += "Ctrl+";
    if (spec.modifiers & modifierBits::option)
        text += "Alt+";
    if (spec.modifiers & modifierBits::shift)
        text += "Shift+";
    if (const auto printable = layout.printableKeyName(spec.keyCode);
        printable && codePoints(*printable) == 1 && *printable != " ")
        return text + *printable;
    if (auto symbol = layout.keySymbolName(spec.keyCode); symbol && !symbol->empty()) {
        if (*symbol == "Prior" || *symbol == "Next") // their other names say what they are
            symbol = *symbol == "Prior" ? "Page_Up" : "Page_Down";
        (*symbol)[0] = static_cast<char>(std::toupper(static_cast<unsigned char>((*symbol)[0])));
        return text + *symbol;
    }
    return text + "Key " + std::to_string(spec.keyCode);
}

} // namespace tessarin
