#pragma once

#include <string>
#include <string_view>

namespace tessarin {

// True when `text` is well-formed UTF-8 (no overlong forms, surrogates or code points above U+10FFFF).
bool isValidUtf8(std::string_view text);

// `text` with every byte that is not part of well-formed UTF-8 shown as U+FFFD, for messages.
std::string displayableUtf8(std::string_view text);

} // namespace tessarin
