#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tessarin {

// The keyboard layout in use, as far as it names keys. Key codes are the stored ones (KeyCodes.h).
class KeyboardLayout {
public:
    virtual ~KeyboardLayout() = default;

    // What the key types without modifiers, in upper case ("A", "É", "&"); none for keys that type
    // nothing printable.
    virtual std::optional<std::string> printableKeyName(uint32_t keyCode) const = 0;
    // The layout's symbol name of the key ("a", "F5", "space", "ampersand"); none when it has none.
    virtual std::optional<std::string> keySymbolName(uint32_t keyCode) const = 0;
    // The key that produces `name` (a character, or a symbol name such as "F5", "Return", "space"):
    // preferably without Shift, else with it. None when no key of the layout produces it.
    virtual std::optional<uint32_t> keyCodeNamed(std::string_view name) const = 0;

protected:
    KeyboardLayout() = default;
    KeyboardLayout(const KeyboardLayout&) = default;
    KeyboardLayout& operator=(const KeyboardLayout&) = default;
};

} // namespace tessarin
