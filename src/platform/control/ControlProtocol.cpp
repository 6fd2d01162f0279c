#include "control/ControlProtocol.h"

namespace tessarin::control {

namespace {

constexpr std::pair<Failure, const char*> names[] = {
    {Failure::refused, "com.orrinvale.Tessarin1.Error.Refused"},
    {Failure::usage, "com.orrinvale.Tessarin1.Error.Usage"},
    {Failure::busy, "com.orrinvale.Tessarin1.Error.Busy"},
    {Failure::readOnly, "com.orrinvale.Tessarin1.Error.ReadOnly"},
};

} // namespace

const char* errorName(Failure failure) {
    for (const auto& [f, name] : names)
        if (f == failure)
            return name;
    return names[0].second;
}

std::optional<Failure> failureForErrorName(std::string_view name) {
    for (const auto& [f, n] : names)
        if (name == n)
            return f;
    return std::nullopt;
}

} // namespace tessarin::control
