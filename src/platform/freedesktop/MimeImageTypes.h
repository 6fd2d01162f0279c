#pragma once

#include <functional>
#include <string_view>

namespace tessarin {

// File types from the shared MIME database: whether the type registered for a file name (by its
// name alone, the file is never opened) is an image type.
class MimeImageTypes {
public:
    // True when the type matched by the name's globs is image/... or inherits from one. A name
    // without a registered extension has no type and is not an image.
    static bool isImage(std::string_view fileName);
    // isImage as a predicate for the core's screenshot rules.
    static std::function<bool(std::string_view)> predicate();
};

} // namespace tessarin
