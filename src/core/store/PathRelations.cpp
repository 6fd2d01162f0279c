#include "store/PathRelations.h"

namespace tessarin {

namespace fs = std::filesystem;

fs::path resolvedPath(const fs::path& path) {
    std::error_code ec;
    fs::path p = fs::weakly_canonical(path, ec);
    return ec ? path.lexically_normal() : p;
}

bool isWithin(const fs::path& inner, const fs::path& outer) {
    auto i = inner.begin();
    for (auto o = outer.begin(); o != outer.end(); ++o, ++i) {
        if (o->empty() && std::next(o) == outer.end())
            break; // trailing separator
        if (i == inner.end() || *i != *o)
            return false;
    }
    return true;
}

} // namespace tessarin
