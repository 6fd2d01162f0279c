#include "model/CustomFilter.h"

#include "support/CaseFold.h"

namespace tessarin {

bool CustomFilter::matches(std::string_view name) const {
    return enabled && !pattern.empty() && containsIgnoringCase(name, pattern);
}

} // namespace tessarin
